#include "link/SerialOptions.h"

#include "config/Settings.h"

CSerialOptions SerialOptionsFrom(const CSettings& settings) {
    CSerialOptions options;
    options.portName = settings.SerialPort();
    options.line = ParseSerialLine(settings.SerialBaudRate(), settings.SerialDataBits(),
                                   settings.SerialParity(), settings.SerialStopBits());
    options.serialIn = settings.SerialInEnabled();
    options.serialOut = settings.SerialOutEnabled();
    options.in = {settings.SerialInPrefix(), settings.SerialInSuffix()};
    options.out = {settings.SerialOutPrefix(), settings.SerialOutSuffix()};
    options.timeouts = settings.SerialTimeouts();
    return options;
}
