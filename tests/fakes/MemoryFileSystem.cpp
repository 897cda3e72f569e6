#include "fakes/MemoryFileSystem.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace seamster {

namespace {

// A name as Windows stores it: trailing dots and blanks are dropped (unless
// nothing else is left).
std::string storedName(std::string part) {
    const size_t end = part.find_last_not_of(". ");
    if (end != std::string::npos) part.erase(end + 1);
    return part;
}

// "C:\a\\b.\" -> {"C:", "a", "b"}; forward slashes count as separators.
std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < path.size()) {
        size_t end = path.find_first_of("\\/", start);
        if (end == std::string::npos) end = path.size();
        if (end > start) parts.push_back(storedName(path.substr(start, end - start)));
        start = end + 1;
    }
    return parts;
}

// The characters of UTF-8 text; a byte that starts no valid character
// stands for itself.
std::u32string decode(std::string_view text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const auto byte = uint8_t(text[i]);
        const int length = byte < 0x80       ? 1
                           : byte >> 5 == 6  ? 2
                           : byte >> 4 == 14 ? 3
                           : byte >> 3 == 30 ? 4
                                             : 0;
        bool whole = length > 0 && i + size_t(length) <= text.size();
        char32_t c = length == 1 ? byte : length ? byte & (0x7F >> length) : byte;
        for (int k = 1; whole && k < length; ++k) {
            const auto next = uint8_t(text[i + size_t(k)]);
            whole = next >> 6 == 2;
            c = c << 6 | (next & 0x3F);
        }
        if (!whole) {
            out += char32_t(byte);
            ++i;
        } else {
            out += c;
            i += size_t(length);
        }
    }
    return out;
}

// Windows compares names through a table of upper and lower case letters
// that covers every alphabet with case; these are the ranges users' names
// come from (Latin, Greek, Cyrillic, full-width Latin).
char32_t foldCase(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
    if (c == 0x178) return 0xFF;
    const bool evenUpper = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) ||
                           (c >= 0x460 && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F);
    if (evenUpper && c % 2 == 0) return c + 1;
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (oddUpper && c % 2 == 1) return c + 1;
    return c;
}

std::u32string folded(std::string_view text) {
    std::u32string out = decode(text);
    for (char32_t& c : out) c = foldCase(c);
    return out;
}

// The key a name is stored under: equal for names Windows takes as equal.
// Every path is looked up part by part, so plain ASCII names, by far the
// most common, skip the decoding.
std::string keyOf(const std::string& name) {
    if (std::all_of(name.begin(), name.end(), [](char c) { return uint8_t(c) < 0x80; })) {
        std::string key(name.size() * 4, '\0');
        for (size_t i = 0; i < name.size(); ++i) key[4 * i + 3] = char(foldCase(char32_t(name[i])));
        return key;
    }
    std::string key;
    for (char32_t c : folded(name))
        for (int shift = 24; shift >= 0; shift -= 8) key += char((c >> shift) & 0xFF);
    return key;
}

// "*" and "?" over characters, not bytes, without regard to case.
bool matches(std::string_view patternText, std::string_view nameText) {
    if (patternText == "*" || patternText == "*.*") return true;
    const std::u32string pattern = folded(patternText), name = folded(nameText);
    size_t p = 0, n = 0, star = std::u32string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            star = p++;
            mark = n;
        } else if (star != std::u32string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') ++p;
    return p == pattern.size();
}

}  // namespace

MemoryFileSystem::MemoryFileSystem() : root_(std::make_unique<Node>()) { root_->isFolder = true; }

MemoryFileSystem::Node* MemoryFileSystem::find(const std::string& path) const {
    Node* node = root_.get();
    auto parts = splitPath(path);
    if (parts.empty()) return nullptr;
    for (const auto& part : parts) {
        if (!node->isFolder) return nullptr;
        auto it = node->children.find(keyOf(part));
        if (it == node->children.end()) return nullptr;
        node = it->second.get();
    }
    return node;
}

MemoryFileSystem::Location MemoryFileSystem::locate(const std::string& path) const {
    auto parts = splitPath(path);
    if (parts.empty()) return {};
    Node* node = root_.get();
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        auto it = node->children.find(keyOf(parts[i]));
        if (it == node->children.end() || !it->second->isFolder) return {};
        node = it->second.get();
    }
    return {node, parts.back()};
}

MemoryFileSystem::Node& MemoryFileSystem::makeChild(Node& parent, const std::string& name,
                                                    bool isFolder, int64_t created) {
    auto node = std::make_unique<Node>();
    node->name = name;
    node->isFolder = isFolder;
    node->created = created;
    node->order = nextOrder_++;
    Node& ref = *node;
    parent.children[keyOf(name)] = std::move(node);
    return ref;
}

MemoryFileSystem::Node& MemoryFileSystem::ensureFolder(const std::string& path, int64_t created) {
    Node* node = root_.get();
    for (const auto& part : splitPath(path)) {
        auto it = node->children.find(keyOf(part));
        node =
            it != node->children.end() ? it->second.get() : &makeChild(*node, part, true, created);
    }
    return *node;
}

MemoryFileSystem& MemoryFileSystem::addFolder(const std::string& path, int64_t created) {
    ensureFolder(path, created);
    return *this;
}

MemoryFileSystem& MemoryFileSystem::addFile(const std::string& path, const std::string& data,
                                            int64_t created) {
    auto parts = splitPath(path);
    std::string folder;
    for (size_t i = 0; i + 1 < parts.size(); ++i) folder += parts[i] + "\\";
    Node& parent = ensureFolder(folder, created);
    Node* existing = find(path);
    Node& file = existing ? *existing : makeChild(parent, parts.back(), false, created);
    file.data = data;
    file.flushedSize.reset();
    file.created = created;
    return *this;
}

void MemoryFileSystem::setReadOnly(const std::string& path, bool readOnly) {
    if (Node* node = find(path)) node->readOnly = readOnly;
}

void MemoryFileSystem::setLink(const std::string& path, bool isLink) {
    if (Node* node = find(path)) node->isLink = isLink;
}

std::optional<std::string> MemoryFileSystem::contents(const std::string& path) const {
    Node* node = find(path);
    if (!node || node->isFolder) return std::nullopt;
    return node->data;
}

std::optional<std::string> MemoryFileSystem::flushedContents(const std::string& path) const {
    Node* node = find(path);
    if (!node || node->isFolder) return std::nullopt;
    return node->data.substr(0, node->flushedSize.value_or(node->data.size()));
}

bool MemoryFileSystem::isReadOnly(const std::string& path) const {
    Node* node = find(path);
    return node && node->readOnly;
}

void MemoryFileSystem::collect(const Node& node, const std::string& prefix,
                               std::vector<std::string>& out) const {
    for (const auto& [key, child] : node.children) {
        std::string path = prefix + child->name;
        if (child->isFolder) {
            out.push_back(path + "\\");
            collect(*child, path + "\\", out);
        } else {
            out.push_back(path + " = " + child->data);
        }
    }
}

std::vector<std::string> MemoryFileSystem::snapshot() const {
    std::vector<std::string> out;
    collect(*root_, "", out);
    std::sort(out.begin(), out.end());
    return out;
}

bool MemoryFileSystem::fails(FsOp op, const std::string& path, bool changes) {
    lastError_ = failError;
    if (failWhen && failWhen(op, path)) return true;
    if (!changes) return false;
    return changeCount++ == failChangeNumber;
}

bool MemoryFileSystem::list(const std::string& folder, const std::string& pattern,
                            std::vector<DirEntry>& out) {
    out.clear();
    Node* node = folder.empty() ? nullptr : find(folder);
    if (!node || !node->isFolder || fails(FsOp::list, folder, false)) return false;
    std::vector<const Node*> children;
    for (const auto& [key, child] : node->children)
        if (matches(pattern, child->name)) children.push_back(child.get());
    std::sort(children.begin(), children.end(),
              [](const Node* a, const Node* b) { return a->order < b->order; });
    for (const Node* child : children)
        out.push_back({child->name, child->isFolder, child->readOnly, child->created,
                       child->data.size(), child->isLink});
    return true;
}

PathKind MemoryFileSystem::exists(const std::string& path) {
    Node* node = find(path);
    return !node ? PathKind::missing : node->isFolder ? PathKind::folder : PathKind::file;
}

bool MemoryFileSystem::rename(const std::string& from, const std::string& to) {
    Node* source = find(from);
    Location src = locate(from);
    Location dst = locate(to);
    if (!source || !dst.parent) return failWith(FsError::missing);
    if (fails(FsOp::rename, from, true)) return false;
    Node* existing = find(to);
    if (existing && existing != source) return failWith(FsError::exists);
    // Windows moves a file to another drive only by copying it.
    if (keyOf(from.substr(0, 2)) != keyOf(to.substr(0, 2))) return failWith(FsError::otherVolume);
    // A folder cannot move inside itself.
    auto fromParts = splitPath(from), toParts = splitPath(to);
    if (toParts.size() > fromParts.size() &&
        std::equal(fromParts.begin(), fromParts.end(), toParts.begin(),
                   [](const std::string& a, const std::string& b) { return keyOf(a) == keyOf(b); }))
        return false;
    auto handle = std::move(src.parent->children[keyOf(src.leaf)]);
    src.parent->children.erase(keyOf(src.leaf));
    handle->name = dst.leaf;
    dst.parent->children[keyOf(dst.leaf)] = std::move(handle);
    return true;
}

bool MemoryFileSystem::replace(const std::string& from, const std::string& to) {
    Node* source = find(from);
    Node* target = find(to);
    Location dst = locate(to);
    if (!source || source->isFolder || !dst.parent ||
        (target && (target->isFolder || target->readOnly)) || fails(FsOp::replace, from, true))
        return false;
    Location src = locate(from);
    auto handle = std::move(src.parent->children[keyOf(src.leaf)]);
    src.parent->children.erase(keyOf(src.leaf));
    if (target) {
        // The replaced file keeps its place in listings, as a rename over it would.
        handle->order = target->order;
        handle->name = target->name;
    } else {
        handle->name = dst.leaf;
    }
    dst.parent->children[keyOf(dst.leaf)] = std::move(handle);
    return true;
}

bool MemoryFileSystem::copyFile(const std::string& from, const std::string& to,
                                bool replaceExisting) {
    Node* source = find(from);
    Location dst = locate(to);
    Node* target = find(to);
    if (!source || source->isFolder || !dst.parent) return false;
    if (target && (!replaceExisting || target->isFolder || target->readOnly)) return false;
    const bool failed = fails(FsOp::copy, to, true);
    Node& copy = target ? *target : makeChild(*dst.parent, dst.leaf, false, now);
    copy.data = failed ? source->data.substr(0, source->data.size() / 2) : source->data;
    copy.readOnly = !failed && source->readOnly;
    copy.flushedSize = 0;
    return !failed;
}

bool MemoryFileSystem::flushFile(const std::string& path) {
    Node* node = find(path);
    if (!node || node->isFolder) return failWith(FsError::missing);
    node->flushedSize.reset();
    return true;
}

std::optional<FileIdentity> MemoryFileSystem::identityOf(const std::string& path) {
    Node* node = find(path);
    if (!node || path.size() < 2 || path[1] != ':') return std::nullopt;
    return FileIdentity{uint64_t(static_cast<unsigned char>(keyOf(path.substr(0, 1))[0])),
                        uint64_t(reinterpret_cast<uintptr_t>(node))};
}

bool MemoryFileSystem::createNewFile(const std::string& path) {
    Location loc = locate(path);
    if (!loc.parent || find(path) || fails(FsOp::createFile, path, true)) return false;
    makeChild(*loc.parent, loc.leaf, false, now);
    return true;
}

bool MemoryFileSystem::deleteFile(const std::string& path) {
    Node* node = find(path);
    if (!node || node->isFolder || node->readOnly || fails(FsOp::deleteFile, path, true))
        return false;
    Location loc = locate(path);
    loc.parent->children.erase(keyOf(loc.leaf));
    return true;
}

bool MemoryFileSystem::clearReadOnly(const std::string& path) {
    Node* node = find(path);
    if (!node || fails(FsOp::clearReadOnly, path, true)) return false;
    node->readOnly = false;
    return true;
}

bool MemoryFileSystem::createFolder(const std::string& path) {
    Location loc = locate(path);
    if (!loc.parent || find(path) || fails(FsOp::createFolder, path, true)) return false;
    makeChild(*loc.parent, loc.leaf, true, now);
    return true;
}

bool MemoryFileSystem::removeFolder(const std::string& path) {
    Node* node = find(path);
    if (!node || !node->isFolder || node->isLink || !node->children.empty() || node->readOnly ||
        fails(FsOp::removeFolder, path, true))
        return false;
    Location loc = locate(path);
    loc.parent->children.erase(keyOf(loc.leaf));
    return true;
}

bool MemoryFileSystem::removeLink(const std::string& path) {
    Node* node = find(path);
    if (!node || !node->isLink || fails(FsOp::removeLink, path, true)) return false;
    Location loc = locate(path);
    loc.parent->children.erase(keyOf(loc.leaf));
    return true;
}

std::optional<std::string> MemoryFileSystem::readFile(const std::string& path, size_t maxBytes) {
    Node* node = find(path);
    if (!node || node->isFolder || node->data.size() > maxBytes ||
        fails(FsOp::readFile, path, false))
        return std::nullopt;
    return node->data;
}

std::optional<std::string> MemoryFileSystem::readFileStart(const std::string& path,
                                                           size_t maxBytes) {
    Node* node = find(path);
    if (!node || node->isFolder || fails(FsOp::readFile, path, false)) return std::nullopt;
    return node->data.substr(0, maxBytes);
}

bool MemoryFileSystem::writeFile(const std::string& path, const std::string& data) {
    Location loc = locate(path);
    Node* node = find(path);
    if (!loc.parent || (node && (node->isFolder || node->readOnly))) return false;
    bool failed = fails(FsOp::writeFile, path, true);
    Node& file = node ? *node : makeChild(*loc.parent, loc.leaf, false, now);
    // A failed write behaves like a full disk: the file is left truncated.
    file.data = failed ? data.substr(0, data.size() / 2) : data;
    file.flushedSize.reset();
    return !failed;
}

class MemoryFileSystem::Appender final : public AppendFile {
public:
    Appender(MemoryFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
    bool append(const std::string& data) override {
        Node* node = fs_.find(path_);
        if (!node || node->isFolder) return false;
        if (!node->flushedSize) node->flushedSize = node->data.size();
        if (fs_.fails(FsOp::append, path_, false)) {
            node->data += data.substr(0, data.size() / 2);
            return false;
        }
        node->data += data;
        return true;
    }
    bool flush() override {
        Node* node = fs_.find(path_);
        if (node) node->flushedSize = node->data.size();
        return node != nullptr;
    }

private:
    MemoryFileSystem& fs_;
    std::string path_;
};

std::unique_ptr<AppendFile> MemoryFileSystem::openForAppend(const std::string& path) {
    Location loc = locate(path);
    Node* node = find(path);
    if (!loc.parent || (node && (node->isFolder || node->readOnly)) ||
        fails(FsOp::append, path, false))
        return nullptr;
    if (!node) makeChild(*loc.parent, loc.leaf, false, now);
    return std::make_unique<Appender>(*this, path);
}

}  // namespace seamster
