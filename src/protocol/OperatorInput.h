#pragma once

class CResponder;
class CTerminalState;

// What the operator's keys, completed fields and focus moves do to the
// terminal, as the window side hands them over. Each takes the terminal's
// state for its turn, so a record being run ends first, with its release of
// input, and the key is judged by the state that release left.
class COperatorInput {
public:
    COperatorInput(CTerminalState& terminal, CResponder& responses)
        : terminal(terminal), responses(responses) {}
    COperatorInput(const COperatorInput&) = delete;
    COperatorInput& operator=(const COperatorInput&) = delete;

    // A key number from the field given (-1 for none); dropped while the
    // terminal awaits the host, else sent with input locked until it answers.
    void Key(int field, int keyNumber);
    // The field's data, on the same terms.
    void CompleteField(int field);
    // 1 to the next focus stop, -1 to the previous one, else to the current field.
    void MoveFocus(int direction);
    // A field window took the focus.
    void SetCurrentField(int field);
    // The Advisory has closed: the focus goes to the field it named.
    void EndAdvisory(int focusField);
    // The prompt dialog's OK: its answer goes to the host.
    void AnswerPrompt();

private:
    // With the state taken: false, dropping the event, when the terminal
    // awaits the host; else input is locked with the waiting animation and
    // the field is current.
    bool BeginResponse(int field);

    CTerminalState& terminal;
    CResponder& responses;
};
