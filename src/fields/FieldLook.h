#pragma once

#include <cstdint>

class CField;
class CSettings;

// Colour values are 0x00BBGGRR.
constexpr uint32_t kPageColour = 0xC3B295;

// The colour slots each kind of field window fills when it is made, by the
// colour mode in force then.
void SetEntryColourSlots(CField& field, const CSettings& settings);
void SetFixedColourSlots(CField& field, const CSettings& settings);
void SetSystemColourSlots(CField& field);

// How an entry field paints now.
struct CEntryLook {
    uint32_t back;
    uint32_t text;
    uint32_t frame;
};
CEntryLook EntryLook(const CField& field, const CSettings& settings, bool focused);

// How a fixed field paints now. A bevelled field is drawn as part of a raised
// block (see BevelLines) filled with fill.
struct CFixedLook {
    uint32_t fill;
    uint32_t text;
    bool cellEdge;
    bool underline;
    bool bevel;
};
CFixedLook FixedLook(const CField& field, const CSettings& settings);

// The watermark's text colour.
uint32_t WatermarkColour(const CSettings& settings);

// Video styles, attribute bits 4-5.
constexpr uint8_t kNormalVideo = 0x00;
constexpr uint8_t kBlinkVideo = 0x10;
constexpr uint8_t kBoldVideo = 0x20;
constexpr uint8_t kReverseVideo = 0x30;
uint8_t VideoStyle(const CField& field);
