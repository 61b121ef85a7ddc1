#include <set>

#include "protocol/InterpreterFixture.h"

namespace {

// The sounds among the events, as "Normal Error".
std::string Sounds(const std::vector<std::string>& events) {
    std::string sounds;
    for (const std::string& event : events) {
        if (event.rfind("sound ", 0) == 0) sounds += (sounds.empty() ? "" : " ") + event.substr(6);
    }
    return sounds;
}

struct OperandCase {
    char command;
    const char* bytes;  // the command with its operands
    const char* sounds;
};

// Operand bytes are "#" wherever the value does not matter: a "#" left over
// by a command that consumed too little runs as a command and plays a sound,
// and a command that consumed too much eats the "o" of the "o5" behind it.
const std::vector<OperandCase> kOperandCases = {
    {'!', "!", "Normal"},           {'#', "#", "Error"},
    {'#', "#z", "Normal Normal"},   {'$', "$3###", "Normal"},
    {'%', "%3###", "Normal"},       {'+', "+###", "Normal"},
    {'>', ">##3###", "Normal"},     {'>', ">##0#", "Normal"},
    {'@', "@#", "Normal"},          {'A', "A3###", "Error"},
    {'A', "A0", "Error"},           {'B', "B", "Normal"},
    {'C', "C", "Normal"},           {'D', "D###########", "Normal"},
    {'E', "s1Es0", "Normal"},       {'F', "F#", "Normal"},
    {'I', "I3###", "Normal"},       {'K', "K#", "Normal"},
    {'L', "L##3###", "Normal"},     {'M', "M!03###", "Normal"},
    {'N', "N3###", "Normal"},       {'O', "O3###", "Normal"},
    {'O', "O0#", "Normal"},         {'P', "P##Q", "Normal"},
    {'P', "P#B", "Normal"},         {'Q', "Q", "Normal"},
    {'R', "R", "Normal"},           {'S', "S#3###", "Normal"},
    {'S', "S13###", "Normal"},      {'S', "S10", "Normal"},
    {'W', "W#", "Normal"},          {'X', "X#", "Normal"},
    {'Z', "Ze#", "Normal"},         {'Z', "Zs1", "User01 Normal"},
    {'Z', "Zs5", "Normal"},         {'Z', "Zv###", "Normal"},
    {'Z', "Zv!##!##!##", "Normal"}, {'Z', "Zq", "Normal"},
    {'a', "a#3###", "Error"},       {'b', "b##", "Normal"},
    {'c', "c#", "Normal"},          {'d', "d0", "Normal"},
    {'e', "e#", "Normal"},          {'f', "f###3###", "Normal"},
    {'f', "f###0#", "Normal"},      {'h', "h#3###", "Error"},
    {'i', "i######", "Normal"},     {'i', "i###CC!03", "Normal"},
    {'j', "j#3###", "Normal"},      {'k', "k##", "Normal"},
    {'l', "l", "Normal"},           {'m', "m", "Normal"},
    {'o', "o#", "Normal Normal"},   {'p', "p##", "Normal"},
    {'r', "r#", "Normal"},          {'s', "s0", "Normal"},
    {'u', "u#3###", "Normal"},      {'u', "u#0", "Normal"},
    {'v', "v#3###", "Normal"},      {'w', "w5#@M@B0004@H1@AS@S#@F@P@X@I", "Normal"},
    {'w', "w5!##@H0", "Normal"},    {'y', "y##3###", "Normal"},
    {'y', "y##0", "Normal"},        {'z', "z", "Normal"}};

}  // namespace

TEST_F(InterpreterTest, EveryCommandConsumesExactlyItsOperands) {
    std::set<char> covered;
    for (const OperandCase& c : kOperandCases) {
        SCOPED_TRACE(c.bytes);
        Run("s0Ei510C@5");
        terminal->currentField = 1;
        std::vector<std::string> events = Run(std::string(c.bytes) + "o5");
        EXPECT_EQ(Sounds(events), c.sounds);
        EXPECT_EQ(terminal->currentField, 5);
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events.back(), "focus field5");
        covered.insert(c.command);
    }
    EXPECT_EQ(covered.size(), 47u);
}
