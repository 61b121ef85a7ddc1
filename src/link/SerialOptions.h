#pragma once

#include "platform/SerialLine.h"

class CSettings;

// The serial feature port's options as the settings hold them now.
CSerialOptions SerialOptionsFrom(const CSettings& settings);
