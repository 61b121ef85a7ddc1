// The serial feature port: opened from the settings, fed with the host's
// output, closed at shutdown or after a fault.
#include "app/MainWindow.h"
#include "app/SerialInputWindows.h"
#include "config/Settings.h"
#include "link/SerialOptions.h"
#include "platform/AppMessages.h"
#include "platform/SerialPort_win.h"

void CMainWindow::ReopenSerialPort() {
    CloseSerialPort();
    CSerialOptions options = SerialOptionsFrom(*gSettings);
    auto opened = std::make_unique<CSerialPort>();
    bool commandMode = gSettings->SerialCommand();
    CSerialInputSide* side = serialInput.get();
    opened->SetCallback([commandMode, side](const unsigned char* bytes, size_t n) {
        DeliverSerialInput(bytes, n, commandMode, *side);
    });
    HWND main = window;
    WPARAM generation = ++serialGeneration;
    opened->SetFaultHandler(
        [main, generation] { PostMessageW(main, UM_SERIALFAULT, generation, 0); });
    if (opened->Open(options)) serialPort = std::move(opened);
}

void CMainWindow::CloseSerialPort() {
    if (serialPort) serialPort->Close();
    serialPort.reset();
}

void CMainWindow::OnSerialOut(WPARAM count, LPARAM block) {
    auto* bytes = reinterpret_cast<unsigned char*>(block);
    if (serialPort) serialPort->Write(bytes, count);
    // The block came with the message.
    HeapFree(GetProcessHeap(), 0, bytes);
}

void CMainWindow::OnSerialFault(WPARAM generation) {
    if (serialPort && generation == serialGeneration) serialPort->Close();
}
