#pragma once
// Shared pieces of the fuzz targets: the failing check (check.h), a reader
// that splits an input into fields, and a program over an emulated adapter
// for the whole-Save targets.

#include "device/vendor_link.h"
#include "dialogs/host.h"
#include "emulator/emulator.h"
#include "fuzz/check.h"

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

// Takes bytes from the front of the input.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // Bytes up to the next separator (0x0A) or the end.
    std::string_view field()
    {
        const std::size_t start = pos_;
        while (pos_ < size_ && data_[pos_] != '\n') ++pos_;
        std::string_view f(reinterpret_cast<const char*>(data_) + start, pos_ - start);
        if (pos_ < size_) ++pos_;
        return f;
    }
    std::string_view rest()
    {
        std::string_view r(reinterpret_cast<const char*>(data_) + pos_, size_ - pos_);
        pos_ = size_;
        return r;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// A text as a user could type it: the bytes as UTF-8 (invalid sequences
// become replacement characters, which Latin-1 cannot hold).
inline QString typed(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Records messages; pauses are logged but not slept.
class FuzzHost final : public Host {
public:
    explicit FuzzHost(emu::Emulator& emulator) : emulator_(emulator) {}
    void showMessage(const QString& text) override { messages.push_back(text); }
    void showModal(QDialog&) override {}
    void pause(int ms) override { emulator_.recordPause(ms); }
    QStringList messages;

private:
    emu::Emulator& emulator_;
};

// One offscreen application for the whole run.
inline void startApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The records the dialogs' Saves keep go to a folder of the run's own.
    static char state[] = "/tmp/brisel-fuzz-state-XXXXXX";
    if (mkdtemp(state) != nullptr) setenv("XDG_STATE_HOME", state, 1);
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

struct Adapter {
    emu::Emulator emulator;
    VendorLink link{emulator};
    FuzzHost host{emulator};
    Context context() { return Context{link, host}; }
};

}  // namespace fuzz
