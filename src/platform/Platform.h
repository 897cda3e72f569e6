#pragma once
// The small services the program asks of the operating system, each behind an
// interface so that the rules built on them run natively in tests.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace seamster {

struct LocalDate {
    int year = 2000;
    int month = 1;
    int day = 1;
    friend bool operator==(const LocalDate&, const LocalDate&) = default;
    friend auto operator<=>(const LocalDate&, const LocalDate&) = default;
};

struct LocalDateTime {
    LocalDate date;
    int hour = 0, minute = 0, second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual int64_t now() = 0;  // seconds since 1970-01-01 UTC
    virtual LocalDate today() = 0;
    // The local calendar day on which the given moment falls.
    virtual LocalDate localDateOf(int64_t utcSeconds) = 0;
    // The local date and time of day now, as the user's clock shows them.
    virtual LocalDateTime localNow() = 0;
    // A steady count of milliseconds for measuring intervals.
    virtual int64_t milliseconds() { return now() * 1000; }
};

enum class RegistryRead { ok, openFailed, readFailed };
enum class RegistryRoot { localMachine, currentUser };

// Every read looks in the 32-bit view first, then the native one: the game's
// installers are 32-bit programs.
class Registry {
public:
    virtual ~Registry() = default;
    // A text value under HKEY_LOCAL_MACHINE.
    virtual RegistryRead readLocalMachineText(const std::string& keyPath,
                                              const std::string& valueName, std::string& value) = 0;
    // A text value under either root.
    virtual RegistryRead readText(RegistryRoot root, const std::string& keyPath,
                                  const std::string& valueName, std::string& value) = 0;
    // The names of a key's sub-keys, those of the 32-bit view first, each
    // once; none when the key is missing.
    virtual std::vector<std::string> subKeyNames(RegistryRoot root, const std::string& keyPath) = 0;
};

// The shell folders the program looks in.
enum class SpecialFolder { documents, programFiles, programFilesX86 };

class Shell {
public:
    virtual ~Shell() = default;
    // The shell's "open" verb on a file, folder, program or web address.
    virtual bool open(const std::string& target, const std::string& parameters) = 0;
    // The help viewer on one page of a compiled help file, in place of the
    // viewer this program showed before; false when no viewer could start.
    virtual bool showHelpPage(const std::string& helpFile, const std::string& page) = 0;
    // A shell special folder with a trailing backslash, or "".
    virtual std::string specialFolder(SpecialFolder which) = 0;
    virtual std::string currentFolder() = 0;
    // The folder this program's own file is in, with a trailing backslash.
    virtual std::string programFolder() = 0;
};

// Whether a program runs; `unknown` when the process list service itself
// cannot be loaded.
enum class ProcessState { notRunning, running, unknown };

class Processes {
public:
    virtual ~Processes() = default;
    // Whether a process with exactly this executable name runs; notRunning
    // also when the list cannot be taken.
    virtual ProcessState checkRunning(const std::string& exeName) = 0;

    // Looks like checkRunning and, when the program is found, keeps hold of
    // that process so that its end can be seen without another look.
    virtual ProcessState findAndWatch(const std::string& exeName) { return checkRunning(exeName); }
    // True while the process found by findAndWatch still runs; false when it
    // has ended (letting go of it) or none is held.
    virtual bool watchedRunning() { return false; }
    // What the event loop can wait on to wake the moment the watched process
    // ends (a process handle on Windows), or null.
    virtual void* watchedEndSignal() { return nullptr; }
};

// Message boxes titled "Seamster", owned by the active window.
enum MessageIcon {
    iconNone = 0,
    iconStop = 16,
    iconQuestion = 32,
    iconExclamation = 48,
    iconInformation = 64
};
enum Answer { answerYes = 6, answerNo = 7 };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void showMessage(const std::string& text, int icon) = 0;
    virtual int askYesNo(const std::string& text, int icon) = 0;
};

// How 8-bit settings text maps to the program's UTF-8.
class TextCodec {
public:
    virtual ~TextCodec() = default;
    // Bytes in the system code page, or the UTF-8 itself when the code page
    // cannot hold every character.
    virtual std::string toFileBytes(const std::string& utf8) = 0;
    // Valid UTF-8 is taken as it is; anything else is read in the code page.
    virtual std::string fromFileBytes(const std::string& bytes) = 0;
};

struct Platform {
    FileSystem& fs;
    Clock& clock;
    Registry& registry;
    Shell& shell;
    Processes& processes;
    Dialogs& dialogs;
    TextCodec& codec;
};

}  // namespace seamster
