// The serial feature port: opened from the settings, fed with the host's
// output, closed at shutdown or after a fault. Its input is delivered here,
// on the window thread.
#include "app/MainWindow.h"
#include "app/SerialInputWindows.h"
#include "app/Win32WindowPort.h"
#include "config/Settings.h"
#include "link/SerialOptions.h"
#include "platform/AppMessages.h"
#include "platform/SerialPort_win.h"

void CMainWindow::ReopenSerialPort() {
    CloseSerialPort();
    CSerialOptions options = SerialOptionsFrom(*gSettings);
    auto opened = std::make_unique<CSerialPort>();
    HWND main = window;
    WPARAM generation = ++serialGeneration;
    // The port's threads reach this window only by posting: they never wait
    // for it, and it may be gone when a stuck one ends.
    opened->SetCallback([main, generation](const unsigned char* bytes, size_t n) {
        CSerialInputWindows::Post(main, generation, bytes, n);
    });
    opened->SetFaultHandler(
        [main, generation] { PostMessageW(main, UM_SERIALFAULT, generation, 0); });
    if (opened->Open(options)) serialPort = std::move(opened);
}

void CMainWindow::CloseSerialPort() {
    serialPort.reset();
    CSerialInputWindows::DropQueued(window);
}

void CMainWindow::OnSerialIn(WPARAM generation, LPARAM input) {
    std::unique_ptr<std::string> bytes = CSerialInputWindows::Take(input);
    // Input a replaced port's stuck thread read at last is not for this one.
    if (generation != serialGeneration || !serialInput || !port) return;
    CStateTurn turn(port->state);
    DeliverSerialInput(reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size(),
                       gSettings->SerialCommand(), *serialInput);
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
