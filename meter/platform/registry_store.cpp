#include "platform/registry_store.h"

#include "platform/file_replacement.h"
#include "platform/log.h"

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <limits>
#include <map>
#include <new>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace meter {

namespace {

constexpr std::size_t maxValueNameLength = 16383;
constexpr std::size_t maxDepth = 512; // levels below a root
constexpr std::uint64_t firstKeyId = 16;
constexpr const char* fileMagic = "meter-registry";
constexpr std::size_t maxFileSize = RegistryStore::maxFileSize;
constexpr std::size_t maxHeaderLength = 256; // a header written here takes at most 79
constexpr int fileVersion = 1;

struct PredefinedRoot {
    RegKey handle;
    std::uint64_t id;
    const char* name;
};
constexpr PredefinedRoot predefinedRoots[] = {
    {reg::classesRoot, 1, "HKEY_CLASSES_ROOT"},
    {reg::currentUser, 2, "HKEY_CURRENT_USER"},
    {reg::localMachine, 3, "HKEY_LOCAL_MACHINE"},
    {reg::users, 4, "HKEY_USERS"},
};

// Upper case in Windows-1252: ASCII, the Latin-1 letters and the four pairs of 0x8A..0x9F.
unsigned char upper1252(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A: return 0x8A; // š
    case 0x9C: return 0x8C; // œ
    case 0x9E: return 0x8E; // ž
    case 0xFF: return 0x9F; // ÿ
    default: return c;
    }
}

// The form in which names are compared and ordered.
std::string folded(std::string_view name) {
    std::string f(name);
    for (char& c : f) c = static_cast<char>(upper1252(static_cast<unsigned char>(c)));
    return f;
}

struct Value {
    std::string name;
    RegDword type = reg::regNone;
    std::string data;
};

struct Key {
    std::string name;
    std::string folded;
    std::uint64_t id = 0;
    bool deniesFullAccess = false;
    Key* parent = nullptr;
    std::map<std::string, Value> values;       // by folded name
    std::vector<std::unique_ptr<Key>> subkeys; // ordered by folded name
};

using SubkeyIt = std::vector<std::unique_ptr<Key>>::iterator;

SubkeyIt lowerBound(Key& k, const std::string& f) {
    return std::lower_bound(k.subkeys.begin(), k.subkeys.end(), f,
                            [](const std::unique_ptr<Key>& a, const std::string& b) { return a->folded < b; });
}

Key* child(Key& k, const std::string& f) {
    const SubkeyIt it = lowerBound(k, f);
    return it != k.subkeys.end() && (*it)->folded == f ? it->get() : nullptr;
}

std::size_t depthOf(const Key& k) {
    std::size_t d = 0;
    for (const Key* p = k.parent; p != nullptr; p = p->parent) ++d;
    return d;
}

bool validKeyName(std::string_view n) {
    return !n.empty() && n.size() <= reg::maxKeyNameLength && n.find('\\') == std::string_view::npos &&
           n.find('\0') == std::string_view::npos;
}

// The names of a subkey path. Empty names (a doubled or a trailing backslash)
// are passed over; a path that starts with a backslash is refused.
RegStatus splitPath(const char* path, std::vector<std::string>& names) {
    names.clear();
    if (path == nullptr) return reg::success;
    const std::string_view p(path);
    if (!p.empty() && p.front() == '\\') return reg::badPathname;
    std::size_t i = 0;
    while (i < p.size()) {
        std::size_t j = p.find('\\', i);
        if (j == std::string_view::npos) j = p.size();
        if (j > i) {
            if (j - i > reg::maxKeyNameLength) return reg::invalidParameter;
            names.emplace_back(p.substr(i, j - i));
        }
        i = j + 1;
    }
    return reg::success;
}

// The whole registry as one file reads it.
struct Tree {
    std::vector<std::unique_ptr<Key>> roots; // in the order of predefinedRoots
    std::unordered_map<std::uint64_t, Key*> byId;
    std::uint64_t token = 0; // tells this file from one made anew; 0 while there is none
    std::uint64_t generation = 0;
    std::uint64_t nextId = firstKeyId;

    Tree() {
        for (const PredefinedRoot& r : predefinedRoots) {
            auto k = std::make_unique<Key>();
            k->name = r.name;
            k->folded = folded(r.name);
            k->id = r.id;
            byId[r.id] = k.get();
            roots.push_back(std::move(k));
        }
    }

    Key* addChild(Key& parent, std::string name, std::uint64_t id) {
        auto k = std::make_unique<Key>();
        k->folded = folded(name);
        k->name = std::move(name);
        k->id = id;
        k->parent = &parent;
        Key* raw = k.get();
        const SubkeyIt at = lowerBound(parent, raw->folded);
        parent.subkeys.insert(at, std::move(k));
        byId[id] = raw;
        return raw;
    }
};

// The file: a header line, then the keys depth first, each followed by its
// values, then "end". Names and data are written as "x" and their bytes in hex.
//   meter-registry 1 <token> <generation> <next key id>
//   K <depth> <id> <denies full access: 0|1> x<name>
//   V <type> x<name> x<data>
//   end
std::string hex(std::string_view bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string s = "x";
    s.reserve(1 + 2 * bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        s.push_back(digits[b >> 4]);
        s.push_back(digits[b & 0x0F]);
    }
    return s;
}

bool unhex(std::string_view s, std::string& out) {
    if (s.empty() || s.front() != 'x' || s.size() % 2 == 0) return false;
    const auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    out.clear();
    out.reserve(s.size() / 2);
    for (std::size_t i = 1; i < s.size(); i += 2) {
        const int hi = nibble(s[i]);
        const int lo = nibble(s[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out.push_back(static_cast<char>(hi * 16 + lo));
    }
    return true;
}

void appendNumber(std::string& out, std::uint64_t n) {
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
}

// False as soon as the file would pass maxFileSize.
bool writeKey(std::string& out, const Key& k, std::size_t depth) {
    out += "K ";
    appendNumber(out, depth);
    out += ' ';
    appendNumber(out, k.id);
    out += k.deniesFullAccess ? " 1 " : " 0 ";
    out += hex(k.name);
    out += '\n';
    for (const auto& [f, v] : k.values) {
        // Each byte of a name or of the data takes two digits.
        if (v.name.size() + v.data.size() > (maxFileSize - std::min(out.size(), maxFileSize)) / 2) return false;
        out += "V ";
        appendNumber(out, v.type);
        out += ' ';
        out += hex(v.name);
        out += ' ';
        out += hex(v.data);
        out += '\n';
    }
    for (const auto& s : k.subkeys)
        if (!writeKey(out, *s, depth + 1)) return false;
    return out.size() <= maxFileSize;
}

// The file's text; false when it would pass maxFileSize.
bool serialize(const Tree& t, std::string& out) {
    out = fileMagic;
    out += ' ';
    appendNumber(out, fileVersion);
    for (const std::uint64_t n : {t.token, t.generation, t.nextId}) {
        out += ' ';
        appendNumber(out, n);
    }
    out += '\n';
    for (const auto& r : t.roots)
        if (!writeKey(out, *r, 0)) return false;
    out += "end\n";
    return out.size() <= maxFileSize;
}

struct Header {
    std::uint64_t token = 0, generation = 0, nextId = 0;
};

bool parseHeader(const std::string& line, Header& h) {
    std::istringstream in(line);
    std::string magic;
    int version = 0;
    if (!(in >> magic >> version >> h.token >> h.generation >> h.nextId)) return false;
    in >> std::ws;
    return in.eof() && magic == fileMagic && version == fileVersion && h.token != 0 && h.nextId >= firstKeyId;
}

// Reads the lines after the header into a fresh tree; false where the file
// is not one this store wrote.
bool parseBody(std::istream& in, const Header& h, Tree& t) {
    t.token = h.token;
    t.generation = h.generation;
    t.nextId = h.nextId;
    std::vector<Key*> path; // the keys from the root down to the current one
    std::string line;
    while (std::getline(in, line)) {
        if (line == "end") {
            in >> std::ws;
            return in.eof();
        }
        std::istringstream fields(line);
        std::string tag;
        fields >> tag;
        if (tag == "K") {
            std::size_t depth = 0;
            std::uint64_t id = 0;
            int denies = 0;
            std::string hexName, name;
            if (!(fields >> depth >> id >> denies >> hexName) || !unhex(hexName, name) || denies < 0 || denies > 1)
                return false;
            Key* k = nullptr;
            if (depth == 0) {
                for (const auto& r : t.roots)
                    if (r->name == name && r->id == id) k = r.get();
                if (k == nullptr) return false;
            } else {
                if (depth > path.size() || depth > maxDepth || !validKeyName(name) || id < firstKeyId ||
                    id >= t.nextId || t.byId.count(id) != 0)
                    return false;
                Key& parent = *path[depth - 1];
                if (child(parent, folded(name)) != nullptr) return false;
                k = t.addChild(parent, name, id);
            }
            k->deniesFullAccess = denies == 1;
            path.resize(depth);
            path.push_back(k);
        } else if (tag == "V") {
            RegDword type = 0;
            std::string hexName, hexData, name, data;
            if (path.empty() || !(fields >> type >> hexName >> hexData) || !unhex(hexName, name) ||
                !unhex(hexData, data) || name.size() > maxValueNameLength || name.find('\0') != std::string::npos)
                return false;
            Key& k = *path.back();
            const auto [it, inserted] = k.values.try_emplace(folded(name));
            if (!inserted) return false;
            it->second = Value{std::move(name), type, std::move(data)};
        } else {
            return false;
        }
        fields >> std::ws;
        if (!fields.eof()) return false;
    }
    return false; // no "end": cut short
}

std::uint64_t freshToken() {
    std::random_device rd;
    const std::uint64_t t = (std::uint64_t{rd()} << 32) ^ rd();
    return t == 0 ? 1 : t;
}

struct Handle {
    std::uint64_t id = 0;
    RegDword access = 0;
};

} // namespace

struct RegistryStore::Impl {
    std::filesystem::path root;
    Tree tree;
    bool loaded = false;
    int lockFd = -1;
    std::map<RegKey, Handle> handles;
    RegKey nextHandle = 0x1000;
    std::string refusal; // why the store file was refused last; said once while it stays so

    std::filesystem::path storeFile() const { return root / "registry"; }

    ~Impl() {
        if (lockFd >= 0) ::close(lockFd);
    }

    // A call that failed with ioFailed, and why.
    RegStatus ioFailure(const std::string& what, const std::filesystem::path& path, int error) const {
        qCWarning(platformLog, "Registry store %s: %s %s: %s", root.c_str(), what.c_str(), path.c_str(),
                  std::strerror(error));
        return reg::ioFailed;
    }

    // The store file cannot be read as a store: every call fails until it is
    // mended or removed.
    RegStatus refuse(const std::string& why) {
        if (why != refusal)
            qCWarning(platformLog, "Registry store %s refused: %s; it is left as it is", storeFile().c_str(),
                      why.c_str());
        refusal = why;
        return reg::badDatabase;
    }

    RegStatus lock() {
        if (lockFd < 0) {
            std::error_code ec;
            std::filesystem::create_directories(root, ec);
            if (ec) {
                qCWarning(platformLog, "Registry store %s: create_directories: %s", root.c_str(), ec.message().c_str());
                return reg::ioFailed;
            }
            lockFd = ::open((root / "registry.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
            if (lockFd < 0) return ioFailure("open", root / "registry.lock", errno);
        }
        while (::flock(lockFd, LOCK_EX) != 0)
            if (errno != EINTR) return ioFailure("flock", root / "registry.lock", errno);
        return reg::success;
    }

    // Brings the tree up to the file, reading it only when it has changed.
    RegStatus sync() {
        const std::string file = storeFile().string();
        struct stat st {};
        if (::stat(file.c_str(), &st) != 0) {
            if (errno != ENOENT) return ioFailure("stat", file, errno);
            if (!loaded || tree.token != 0) tree = Tree();
            loaded = true;
            refusal.clear();
            return reg::success;
        }
        // Only a regular file of a bounded size is read: a pipe would block the
        // call (and every other store waiting for the lock), a device or a
        // huge file would be read without end.
        if (!S_ISREG(st.st_mode)) return refuse("no regular file");
        if (static_cast<std::uintmax_t>(st.st_size) > maxFileSize) return refuse("larger than 16 MiB");
        const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return ioFailure("open", file, errno);
        struct Closer {
            int fd;
            ~Closer() { ::close(fd); }
        } closer{fd};
        if (::fstat(fd, &st) != 0) return ioFailure("fstat", file, errno);
        if (!S_ISREG(st.st_mode)) return refuse("no regular file");

        // The header alone tells whether the file has changed since it was read.
        std::string text;
        if (!readUpTo(fd, maxHeaderLength, text)) return ioFailure("read", file, errno);
        const std::size_t headerEnd = text.find('\n');
        Header h;
        if (headerEnd == std::string::npos || !parseHeader(text.substr(0, headerEnd), h))
            return refuse("no header line of a store");
        if (loaded && h.token == tree.token && h.generation == tree.generation) {
            refusal.clear();
            return reg::success;
        }
        // One byte past the bound tells a file that has grown beyond it.
        if (!readUpTo(fd, maxFileSize + 1, text)) return ioFailure("read", file, errno);
        if (text.size() > maxFileSize) return refuse("larger than 16 MiB");
        std::istringstream in(std::move(text));
        in.seekg(static_cast<std::streamoff>(headerEnd + 1));
        Tree fresh;
        if (!parseBody(in, h, fresh)) return refuse("a line after the header is not one of a store");
        tree = std::move(fresh);
        loaded = true;
        refusal.clear();
        return reg::success;
    }

    // Reads on until `text` holds `limit` bytes or the file ends.
    static bool readUpTo(int fd, std::size_t limit, std::string& text) {
        while (text.size() < limit) {
            const std::size_t at = text.size();
            text.resize(std::min(limit, at + std::max<std::size_t>(at, 4096)));
            const ssize_t n = ::read(fd, text.data() + at, text.size() - at);
            if (n < 0 && errno == EINTR) {
                text.resize(at);
                continue;
            }
            text.resize(at + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
            if (n < 0) return false;
            if (n == 0) break;
        }
        return true;
    }

    // Stores the tree: the whole file is replaced by a complete new one. On
    // failure the change is dropped: the next call reads the file again.
    RegStatus commit() {
        if (tree.token == 0) tree.token = freshToken();
        ++tree.generation;
        std::string text;
        // Never copied into the old file in place, where a crash could leave half of each.
        FileReplacement file(storeFile().string());
        bool stored = false;
        if (!serialize(tree, text)) {
            qCWarning(platformLog, "Registry store %s: the change would make the file larger than 16 MiB",
                      root.c_str());
        } else if (file.open()) { // the file replacement tells why it cannot open or commit
            if (file.inPlace())
                qCWarning(platformLog,
                          "Registry store %s: the folder takes no new file, and the store is never "
                          "written in place",
                          root.c_str());
            else if (!writeAllBytes(file.fd(), text.data(), text.size())) ioFailure("write", file.path(), errno);
            else stored = file.commit();
        }
        if (!stored) {
            loaded = false;
            return reg::ioFailed;
        }
        return reg::success;
    }

    // Runs one call under the lock on an up-to-date tree.
    template <typename F>
    RegStatus call(F&& f) {
        const RegStatus locked = lock();
        if (locked != reg::success) return locked;
        struct Unlock {
            int fd;
            ~Unlock() { ::flock(fd, LOCK_UN); }
        } unlock{lockFd};
        try {
            const RegStatus s = sync();
            if (s != reg::success) return s;
            return f();
        } catch (const std::bad_alloc&) {
            loaded = false; // a change may have been left half made in memory
            qCWarning(platformLog, "Registry store %s: out of memory", root.c_str());
            return reg::outOfMemory;
        } catch (const std::exception& e) {
            loaded = false;
            qCWarning(platformLog, "Registry store %s: %s", root.c_str(), e.what());
            return reg::ioFailed;
        } catch (...) {
            loaded = false;
            qCWarning(platformLog, "Registry store %s: an unknown exception", root.c_str());
            return reg::ioFailed;
        }
    }

    RegStatus resolve(RegKey h, Key*& key, RegDword& access) {
        for (const PredefinedRoot& r : predefinedRoots)
            if (r.handle == h) {
                key = tree.byId.at(r.id);
                access = reg::keyAllAccess;
                return reg::success;
            }
        const auto it = handles.find(h);
        if (it == handles.end()) return reg::invalidHandle;
        const auto k = tree.byId.find(it->second.id);
        if (k == tree.byId.end()) return reg::keyDeleted;
        key = k->second;
        access = it->second.access;
        return reg::success;
    }

    // Runs one call on the key of a handle that holds the access `needed`.
    template <typename F>
    RegStatus withKey(RegKey h, RegDword needed, F&& f) {
        return call([&]() -> RegStatus {
            Key* k = nullptr;
            RegDword access = 0;
            if (const RegStatus s = resolve(h, k, access); s != reg::success) return s;
            if ((access & needed) != needed) return reg::accessDenied;
            return f(*k);
        });
    }

    // The same with the names of a subkey path below that key.
    template <typename F>
    RegStatus withPath(RegKey h, const char* subKey, F&& f) {
        return withKey(h, 0, [&](Key& from) -> RegStatus {
            std::vector<std::string> names;
            if (const RegStatus s = splitPath(subKey, names); s != reg::success) return s;
            return f(from, names);
        });
    }

    RegKey newHandle(const Key& k, RegDword access) {
        const RegKey h = nextHandle;
        nextHandle += 4;
        handles[h] = Handle{k.id, access};
        return h;
    }

    static bool denies(const Key& k, RegDword access) { return k.deniesFullAccess && (access & reg::keySetValue) != 0; }

    // The key a path leads to below `from`, or null.
    static Key* walk(Key* from, const std::vector<std::string>& names) {
        for (const std::string& n : names) {
            from = child(*from, folded(n));
            if (from == nullptr) return nullptr;
        }
        return from;
    }
};

RegistryStore::RegistryStore(std::filesystem::path root) : impl_(std::make_unique<Impl>()) {
    std::error_code ec;
    std::filesystem::path absolute = root.empty() ? root : std::filesystem::absolute(root, ec);
    impl_->root = ec ? std::move(root) : std::move(absolute);
}

RegistryStore::~RegistryStore() = default;

std::filesystem::path RegistryStore::defaultRoot() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && std::filesystem::path(dataHome).is_absolute())
        return std::filesystem::path(dataHome) / "meter";
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* pw = ::getpwuid(::getuid());
        home = pw != nullptr ? pw->pw_dir : "/";
    }
    return std::filesystem::path(home) / ".local" / "share" / "meter";
}

const std::filesystem::path& RegistryStore::root() const { return impl_->root; }

RegStatus RegistryStore::RegCreateKeyExA(RegKey key, const char* subKey, RegDword reserved, char* /*keyClass*/,
                                         RegDword options, RegDword desiredAccess, const void* /*securityAttributes*/,
                                         RegKey* result, RegDword* disposition) {
    if (result == nullptr || reserved != 0 || options != reg::optionNonVolatile) return reg::invalidParameter;
    Impl& d = *impl_;
    return d.withPath(key, subKey, [&](Key& from, const std::vector<std::string>& names) -> RegStatus {
        if (depthOf(from) + names.size() > maxDepth) return reg::invalidParameter;
        Key* at = &from;
        std::size_t i = 0;
        for (; i < names.size(); ++i) {
            Key* next = child(*at, folded(names[i]));
            if (next == nullptr) break;
            at = next;
        }
        const bool create = i < names.size();
        if (!create && Impl::denies(*at, desiredAccess)) return reg::accessDenied;
        // Key ids are never used twice, so once the last one is given no key can be made.
        if (names.size() - i > std::numeric_limits<std::uint64_t>::max() - d.tree.nextId) {
            qCWarning(platformLog, "Registry store %s: no key id left for a new key", d.root.c_str());
            return reg::ioFailed;
        }
        for (; i < names.size(); ++i) at = d.tree.addChild(*at, names[i], d.tree.nextId++);
        if (create)
            if (const RegStatus s = d.commit(); s != reg::success) return s;
        *result = d.newHandle(*at, desiredAccess);
        if (disposition != nullptr) *disposition = create ? reg::createdNewKey : reg::openedExistingKey;
        return reg::success;
    });
}

RegStatus RegistryStore::RegOpenKeyExA(RegKey key, const char* subKey, RegDword /*options*/, RegDword desiredAccess,
                                       RegKey* result) {
    if (result == nullptr) return reg::invalidParameter;
    Impl& d = *impl_;
    return d.withPath(key, subKey, [&](Key& from, const std::vector<std::string>& names) -> RegStatus {
        Key* k = Impl::walk(&from, names);
        if (k == nullptr) return reg::fileNotFound;
        if (Impl::denies(*k, desiredAccess)) return reg::accessDenied;
        *result = d.newHandle(*k, desiredAccess);
        return reg::success;
    });
}

RegStatus RegistryStore::RegCloseKey(RegKey key) {
    for (const PredefinedRoot& r : predefinedRoots)
        if (r.handle == key) return reg::success;
    return impl_->handles.erase(key) == 1 ? reg::success : reg::invalidHandle;
}

RegStatus RegistryStore::RegSetValueExA(RegKey key, const char* valueName, RegDword /*reserved*/, RegDword type,
                                        const unsigned char* data, RegDword size) {
    const std::string_view name = valueName != nullptr ? valueName : "";
    if (name.size() > maxValueNameLength || (data == nullptr && size > 0)) return reg::invalidParameter;
    Impl& d = *impl_;
    return d.withKey(key, reg::keySetValue, [&](Key& k) -> RegStatus {
        if (size > maxFileSize / 2) { // its digits alone would pass the bound
            qCWarning(platformLog, "Registry store %s: a value of %lu bytes would make the file larger than 16 MiB",
                      d.root.c_str(), static_cast<unsigned long>(size));
            return reg::ioFailed;
        }
        const auto [it, inserted] = k.values.try_emplace(folded(name));
        if (inserted) it->second.name = std::string(name); // an existing value keeps its name
        it->second.type = type;
        if (size == 0) it->second.data.clear();
        else it->second.data.assign(reinterpret_cast<const char*>(data), size);
        return d.commit();
    });
}

RegStatus RegistryStore::RegQueryValueExA(RegKey key, const char* valueName, RegDword* reserved, RegDword* type,
                                          unsigned char* data, RegDword* size) {
    if (reserved != nullptr || (data != nullptr && size == nullptr)) return reg::invalidParameter;
    return impl_->withKey(key, reg::keyQueryValue, [&](Key& k) -> RegStatus {
        const auto it = k.values.find(folded(valueName != nullptr ? valueName : ""));
        if (it == k.values.end()) return reg::fileNotFound;
        const Value& v = it->second;
        if (type != nullptr) *type = v.type;
        const auto length = static_cast<RegDword>(v.data.size());
        if (data != nullptr) {
            if (*size < length) {
                *size = length;
                return reg::moreData;
            }
            std::memcpy(data, v.data.data(), length);
        }
        if (size != nullptr) *size = length;
        return reg::success;
    });
}

RegStatus RegistryStore::RegDeleteValueA(RegKey key, const char* valueName) {
    Impl& d = *impl_;
    return d.withKey(key, reg::keySetValue, [&](Key& k) -> RegStatus {
        if (k.values.erase(folded(valueName != nullptr ? valueName : "")) == 0) return reg::fileNotFound;
        return d.commit();
    });
}

RegStatus RegistryStore::RegDeleteKeyA(RegKey key, const char* subKey) {
    if (subKey == nullptr) return reg::invalidParameter;
    Impl& d = *impl_;
    return d.withPath(key, subKey, [&](Key& from, const std::vector<std::string>& names) -> RegStatus {
        Key* k = Impl::walk(&from, names);
        if (k == nullptr) return reg::fileNotFound;
        if (k->parent == nullptr || !k->subkeys.empty()) return reg::accessDenied;
        Key& parent = *k->parent;
        d.tree.byId.erase(k->id);
        parent.subkeys.erase(lowerBound(parent, k->folded));
        return d.commit();
    });
}

RegStatus RegistryStore::RegEnumKeyExA(RegKey key, RegDword index, char* name, RegDword* nameLength, RegDword* reserved,
                                       char* keyClass, RegDword* classLength, RegFileTime* lastWriteTime) {
    if (name == nullptr || nameLength == nullptr || reserved != nullptr) return reg::invalidParameter;
    return impl_->withKey(key, reg::keyEnumerateSubKeys, [&](Key& k) -> RegStatus {
        if (index >= k.subkeys.size()) return reg::noMoreItems;
        const std::string& n = k.subkeys[index]->name;
        if (n.size() + 1 > *nameLength) return reg::moreData;
        std::memcpy(name, n.c_str(), n.size() + 1);
        *nameLength = static_cast<RegDword>(n.size());
        // Keys here have no class, and no write times are kept.
        if (classLength != nullptr) {
            if (keyClass != nullptr && *classLength > 0) keyClass[0] = '\0';
            *classLength = 0;
        }
        if (lastWriteTime != nullptr) *lastWriteTime = RegFileTime{};
        return reg::success;
    });
}

RegStatus RegistryStore::setDeniesFullAccess(RegKey key, bool deny) {
    Impl& d = *impl_;
    return d.withKey(key, reg::writeDac, [&](Key& k) -> RegStatus {
        if (k.parent == nullptr) return reg::accessDenied;
        if (k.deniesFullAccess == deny) return reg::success;
        k.deniesFullAccess = deny;
        return d.commit();
    });
}

} // namespace meter
