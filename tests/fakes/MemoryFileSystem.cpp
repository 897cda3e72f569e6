#include "fakes/MemoryFileSystem.h"

#include <algorithm>

#include "platform/Text.h"

namespace seamster {

namespace {
// "C:\a\\b\" -> {"C:", "a", "b"}; forward slashes count as separators.
std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}
}  // namespace

MemoryFileSystem::MemoryFileSystem() : root_(std::make_unique<Node>()) { root_->isFolder = true; }

MemoryFileSystem::Node* MemoryFileSystem::find(const std::string& path) const {
    Node* node = root_.get();
    auto parts = splitPath(path);
    if (parts.empty()) return nullptr;
    for (const auto& part : parts) {
        if (!node->isFolder) return nullptr;
        auto it = node->children.find(toLower(part));
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
        auto it = node->children.find(toLower(parts[i]));
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
    parent.children[toLower(name)] = std::move(node);
    return ref;
}

MemoryFileSystem::Node& MemoryFileSystem::ensureFolder(const std::string& path, int64_t created) {
    Node* node = root_.get();
    for (const auto& part : splitPath(path)) {
        auto it = node->children.find(toLower(part));
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
    if (failWhen && failWhen(op, path)) return true;
    if (!changes) return false;
    return changeCount++ == failChangeNumber;
}

bool MemoryFileSystem::list(const std::string& folder, const std::string& pattern,
                            std::vector<DirEntry>& out) {
    out.clear();
    Node* node = find(folder);
    if (!node || !node->isFolder || fails(FsOp::list, folder, false)) return false;
    std::vector<const Node*> children;
    for (const auto& [key, child] : node->children)
        if (wildcardMatch(pattern, child->name)) children.push_back(child.get());
    std::sort(children.begin(), children.end(),
              [](const Node* a, const Node* b) { return a->order < b->order; });
    for (const Node* child : children)
        out.push_back({child->name, child->isFolder, child->readOnly, child->created,
                       child->data.size(), child->isLink});
    return true;
}

int MemoryFileSystem::exists(const std::string& path) {
    Node* node = find(path);
    return !node ? 0 : node->isFolder ? -2 : 1;
}

bool MemoryFileSystem::rename(const std::string& from, const std::string& to) {
    Node* source = find(from);
    Location src = locate(from);
    Location dst = locate(to);
    if (!source || !dst.parent || fails(FsOp::rename, from, true)) return false;
    Node* existing = find(to);
    if (existing && existing != source) return false;
    // A folder cannot move inside itself.
    auto fromParts = splitPath(toLower(from)), toParts = splitPath(toLower(to));
    if (toParts.size() > fromParts.size() &&
        std::equal(fromParts.begin(), fromParts.end(), toParts.begin()))
        return false;
    auto handle = std::move(src.parent->children[toLower(src.leaf)]);
    src.parent->children.erase(toLower(src.leaf));
    handle->name = dst.leaf;
    dst.parent->children[toLower(dst.leaf)] = std::move(handle);
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
    auto handle = std::move(src.parent->children[toLower(src.leaf)]);
    src.parent->children.erase(toLower(src.leaf));
    if (target) {
        // The replaced file keeps its place in listings, as a rename over it would.
        handle->order = target->order;
        handle->name = target->name;
    } else {
        handle->name = dst.leaf;
    }
    dst.parent->children[toLower(dst.leaf)] = std::move(handle);
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
    return !failed;
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
    loc.parent->children.erase(toLower(loc.leaf));
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
    if (!node || !node->isFolder || (!node->isLink && !node->children.empty()) || node->readOnly ||
        fails(FsOp::removeFolder, path, true))
        return false;
    Location loc = locate(path);
    loc.parent->children.erase(toLower(loc.leaf));
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
    return !failed;
}

}  // namespace seamster
