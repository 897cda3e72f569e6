#pragma once
// Scriptable stand-ins for the platform services, and a Platform that bundles
// them over the in-memory file system. Every fake can write what it was asked
// into a shared journal, so tests can check the order of steps that span
// several services.

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fakes/FixedClock.h"
#include "fakes/Latin1Codec.h"
#include "fakes/MemoryFileSystem.h"
#include "platform/Platform.h"
#include "platform/Text.h"

namespace seamster {

using Journal = std::vector<std::string>;

inline void note(Journal* journal, const std::string& line) {
    if (journal) journal->push_back(line);
}

class FakeProcesses : public Processes {
public:
    ProcessState running = ProcessState::notRunning;  // answer once `script` is used up
    std::deque<ProcessState> script;                  // answers for the next checks, in order
    int checks = 0;
    std::string lastName;

    ProcessState checkRunning(const std::string& exeName) override {
        ++checks;
        lastName = exeName;
        if (script.empty()) return running;
        ProcessState answer = script.front();
        script.pop_front();
        return answer;
    }
};

class FakeRegistry : public Registry {
public:
    // The answer to every readLocalMachineText that `values` does not hold.
    RegistryRead result = RegistryRead::openFailed;
    std::string value;
    int reads = 0;
    std::string lastKey, lastValueName;
    // Values by "HKLM\key\name" or "HKCU\key\name"; letter case is ignored.
    std::map<std::string, std::string> values;

    void set(RegistryRoot root, const std::string& key, const std::string& name,
             const std::string& text) {
        values[toLower(fullName(root, key) + "\\" + name)] = text;
    }

    RegistryRead readLocalMachineText(const std::string& keyPath, const std::string& valueName,
                                      std::string& out) override {
        ++reads;
        lastKey = keyPath;
        lastValueName = valueName;
        if (readText(RegistryRoot::localMachine, keyPath, valueName, out) == RegistryRead::ok)
            return RegistryRead::ok;
        if (result == RegistryRead::ok) out = value;
        return result;
    }
    RegistryRead readText(RegistryRoot root, const std::string& keyPath,
                          const std::string& valueName, std::string& out) override {
        auto it = values.find(toLower(fullName(root, keyPath) + "\\" + valueName));
        if (it == values.end()) return RegistryRead::openFailed;
        out = it->second;
        return RegistryRead::ok;
    }
    // In lower case.
    std::vector<std::string> subKeyNames(RegistryRoot root, const std::string& keyPath) override {
        const std::string parent = toLower(fullName(root, keyPath) + "\\");
        std::vector<std::string> names;
        for (const auto& [path, text] : values) {
            const size_t end = path.find('\\', parent.size());
            if (path.rfind(parent, 0) != 0 || end == std::string::npos) continue;
            std::string name = path.substr(parent.size(), end - parent.size());
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        }
        return names;
    }

private:
    static std::string fullName(RegistryRoot root, const std::string& key) {
        return (root == RegistryRoot::currentUser ? "HKCU\\" : "HKLM\\") + key;
    }
};

class FakeShell : public Shell {
public:
    struct Opened {
        std::string target, parameters;
        friend bool operator==(const Opened&, const Opened&) = default;
    };
    std::vector<Opened> opened;
    std::vector<Opened> helpPages;  // help file, page
    std::map<SpecialFolder, std::string> specialFolders;
    std::string current = "C:\\Seamster\\";
    Journal* journal = nullptr;

    bool open(const std::string& target, const std::string& parameters) override {
        opened.push_back({target, parameters});
        note(journal, "open " + target + " " + parameters);
        return true;
    }
    bool showHelpPage(const std::string& helpFile, const std::string& page) override {
        helpPages.push_back({helpFile, page});
        return true;
    }
    std::string specialFolder(SpecialFolder which) override {
        auto it = specialFolders.find(which);
        return it == specialFolders.end() ? std::string() : it->second;
    }
    std::string currentFolder() override { return current; }
    std::string programFolder() override { return "C:\\Seamster\\"; }
};

class FakeDialogs : public Dialogs {
public:
    struct Box {
        std::string text;
        int icon = 0;
        bool question = false;
        friend bool operator==(const Box&, const Box&) = default;
    };
    std::vector<Box> boxes;
    std::deque<int> answers;  // for the next questions, in order
    int defaultAnswer = answerNo;
    Journal* journal = nullptr;

    void showMessage(const std::string& text, int icon) override {
        boxes.push_back({text, icon, false});
        note(journal, "box " + text);
    }
    int askYesNo(const std::string& text, int icon) override {
        boxes.push_back({text, icon, true});
        note(journal, "ask " + text);
        if (answers.empty()) return defaultAnswer;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Box& box : boxes) out.push_back(box.text);
        return out;
    }
};

// Every service faked, wired into one Platform and one journal. File-system
// operations go into the journal as "<op> <path>" lines.
struct FakePlatform {
    MemoryFileSystem fs;
    FixedClock clock;
    FakeRegistry registry;
    FakeShell shell;
    FakeProcesses processes;
    FakeDialogs dialogs;
    Latin1Codec codec;
    Platform platform{fs, clock, registry, shell, processes, dialogs, codec};
    Journal journal;

    FakePlatform() {
        shell.journal = &journal;
        dialogs.journal = &journal;
        fs.failWhen = [this](FsOp op, const std::string& path) {
            if (op != FsOp::list && op != FsOp::readFile)
                journal.push_back(opName(op) + " " + path);
            return failure && failure(op, path);
        };
    }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    // Set this instead of fs.failWhen, which keeps the journal.
    std::function<bool(FsOp, const std::string&)> failure;

    static std::string opName(FsOp op) {
        switch (op) {
        case FsOp::list: return "list";
        case FsOp::rename: return "rename";
        case FsOp::replace: return "replace";
        case FsOp::copy: return "copy";
        case FsOp::createFile: return "createFile";
        case FsOp::deleteFile: return "delete";
        case FsOp::clearReadOnly: return "clearReadOnly";
        case FsOp::createFolder: return "createFolder";
        case FsOp::removeFolder: return "removeFolder";
        case FsOp::removeLink: return "removeLink";
        case FsOp::readFile: return "read";
        case FsOp::writeFile: return "write";
        case FsOp::append: return "append";
        }
        return "?";
    }
};

}  // namespace seamster
