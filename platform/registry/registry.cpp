#include "platform/registry/registry.h"

#include "platform/ui/mesaj.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QSet>
#include <QStandardPaths>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace reg {
namespace {

// ---------------------------------------------------------------- the file

struct Entry
{
    QString name; // "" for the key's default value
    std::uint32_t type = REG_NONE;
    QString text;             // REG_SZ
    std::uint32_t number = 0; // REG_DWORD
    QString raw;              // any other kind: the file's text after "=", lines joined by "\n"
};

struct Section
{
    QString header;   // between the brackets, as written
    QString path;     // the sub-key below the root, "" for the root itself
    bool ours = true; // false for a section of another root: kept, never matched
    QList<Entry> values;
    QStringList otherLines; // lines we do not understand, kept as they are
};

struct Document
{
    QStringList preamble; // lines before the first section, header line excluded
    QList<Section> sections;
};

QString fold(const QString& s)
{
    return s.toCaseFolded();
}

// Sub-key segments without empty ones: "A\\B\" is "A\B".
QString normalisePath(const QString& path)
{
    const QStringList parts = path.split(u'\\', Qt::SkipEmptyParts);
    return parts.join(u'\\');
}

QString joinPath(const QString& a, const QString& b)
{
    if (a.isEmpty())
        return normalisePath(b);
    const QString nb = normalisePath(b);
    return nb.isEmpty() ? a : a + u'\\' + nb;
}

// Reads a quoted text starting at s[pos] == '"'. On success pos is just
// past the closing quote.
bool readQuoted(const QString& s, qsizetype& pos, QString* out)
{
    if (pos >= s.size() || s[pos] != u'"')
        return false;
    ++pos;
    QString r;
    while (pos < s.size()) {
        const QChar c = s[pos++];
        if (c == u'"') {
            *out = r;
            return true;
        }
        if (c == u'\\' && pos < s.size()) {
            const QChar e = s[pos++];
            if (e == u'n')
                r += u'\n';
            else if (e == u'r')
                r += u'\r';
            else
                r += e; // \" \\ and anything else: the character itself
        } else {
            r += c;
        }
    }
    return false;
}

QString quoted(const QString& s)
{
    QString r;
    r.reserve(s.size() + 2);
    r += u'"';
    for (const QChar c : s) {
        if (c == u'"' || c == u'\\') {
            r += u'\\';
            r += c;
        } else if (c == u'\n') {
            r += u"\\n"_s;
        } else if (c == u'\r') {
            r += u"\\r"_s;
        } else {
            r += c;
        }
    }
    r += u'"';
    return r;
}

// The type a non-text, non-number datum announces: hex: is binary,
// hex(n): is type n, anything else has no type we know.
std::uint32_t rawType(const QString& raw)
{
    if (raw.startsWith(u"hex:"_s, Qt::CaseInsensitive))
        return REG_BINARY;
    if (raw.startsWith(u"hex("_s, Qt::CaseInsensitive)) {
        const qsizetype close = raw.indexOf(u')');
        if (close > 4) {
            bool ok = false;
            const uint t = raw.mid(4, close - 4).toUInt(&ok, 16);
            if (ok)
                return t;
        }
    }
    return REG_NONE;
}

std::uint32_t rawSize(const QString& raw)
{
    const qsizetype colon = raw.indexOf(u':');
    if (raw.startsWith(u"hex"_s, Qt::CaseInsensitive) && colon > 0) {
        std::uint32_t bytes = 0;
        const QStringList parts = raw.mid(colon + 1).split(u',');
        for (QString p : parts) {
            p.remove(u'\\').remove(u'\n');
            if (!p.trimmed().isEmpty())
                ++bytes;
        }
        return bytes;
    }
    return static_cast<std::uint32_t>(raw.size());
}

// One value line ("name"=data or @=data); false when the line is no value.
bool parseValue(const QString& line, Entry* e)
{
    qsizetype pos = 0;
    if (line.startsWith(u'@')) {
        e->name.clear();
        pos = 1;
    } else if (!readQuoted(line, pos, &e->name)) {
        return false;
    }
    while (pos < line.size() && line[pos].isSpace())
        ++pos;
    if (pos >= line.size() || line[pos] != u'=')
        return false;
    ++pos;
    while (pos < line.size() && line[pos].isSpace())
        ++pos;
    const QString data = line.mid(pos);
    if (data.startsWith(u'"')) {
        qsizetype p = 0;
        QString text;
        if (!readQuoted(data, p, &text) || !data.mid(p).trimmed().isEmpty())
            return false;
        e->type = REG_SZ;
        e->text = text;
        return true;
    }
    if (data.startsWith(u"dword:"_s, Qt::CaseInsensitive)) {
        const QString digits = data.mid(6).trimmed();
        bool ok = false;
        const uint n = digits.toUInt(&ok, 16);
        if (ok && !digits.isEmpty() && digits.size() <= 8) {
            e->type = REG_DWORD;
            e->number = n;
            return true;
        }
    }
    e->type = rawType(data);
    e->raw = data;
    return true;
}

Document parse(const QString& content, const QString& root)
{
    Document doc;
    QStringList lines = content.split(u'\n');
    for (QString& l : lines) {
        if (l.endsWith(u'\r'))
            l.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const QString rootFold = fold(root);
    bool headerSeen = false;
    Section* current = nullptr;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (!headerSeen && current == nullptr && line.trimmed() == u"REGEDIT4"_s) {
            headerSeen = true;
            continue;
        }
        const QString t = line.trimmed();
        if (t.startsWith(u'[') && t.endsWith(u']')) {
            Section s;
            s.header = t.mid(1, t.size() - 2);
            const qsizetype slash = s.header.indexOf(u'\\');
            const QString head = slash < 0 ? s.header : s.header.left(slash);
            s.ours = fold(head) == rootFold;
            s.path = slash < 0 ? QString() : normalisePath(s.header.mid(slash + 1));
            doc.sections.append(s);
            current = &doc.sections.last();
            continue;
        }
        if (current == nullptr) {
            if (!t.isEmpty())
                doc.preamble.append(line);
            continue;
        }
        if (t.isEmpty())
            continue;
        // A datum of another kind may go on over lines ending with "\".
        if (!t.contains(u"=\""_s)) {
            while (line.trimmed().endsWith(u'\\') && i + 1 < lines.size())
                line += u'\n' + lines[++i];
        }
        Entry e;
        if (parseValue(line.trimmed(), &e))
            current->values.append(e);
        else
            current->otherLines.append(line);
    }
    // Blank lines between sections are not kept; a blank line after the
    // header stays only as the separator the writer adds.
    return doc;
}

QString serialise(const Document& doc)
{
    QString out = u"REGEDIT4\n"_s;
    for (const QString& l : doc.preamble)
        out += l + u'\n';
    for (const Section& s : doc.sections) {
        out += u"\n["_s + s.header + u"]\n"_s;
        for (const Entry& e : s.values) {
            out += e.name.isEmpty() ? u"@"_s : quoted(e.name);
            out += u'=';
            if (e.type == REG_SZ && e.raw.isEmpty())
                out += quoted(e.text);
            else if (e.type == REG_DWORD && e.raw.isEmpty())
                out += u"dword:"_s + QString::number(e.number, 16).rightJustified(8, u'0');
            else
                out += e.raw;
            out += u'\n';
        }
        for (const QString& l : s.otherLines)
            out += l + u'\n';
    }
    out += u'\n';
    return out;
}

Section* findSection(Document& doc, const QString& path)
{
    const QString f = fold(path);
    for (Section& s : doc.sections) {
        if (s.ours && fold(s.path) == f)
            return &s;
    }
    return nullptr;
}

// A key exists when it has a section or lies above one that has.
bool keyExists(const Document& doc, const QString& path)
{
    if (path.isEmpty())
        return true;
    const QString f = fold(path);
    const QString below = f + u'\\';
    for (const Section& s : doc.sections) {
        if (!s.ours)
            continue;
        const QString sp = fold(s.path);
        if (sp == f || sp.startsWith(below))
            return true;
    }
    return false;
}

// The spelling a key has in the file when only keys below it have sections;
// the path as given otherwise.
QString spelling(const Document& doc, const QString& path)
{
    const QString below = fold(path) + u'\\';
    for (const Section& s : doc.sections) {
        if (s.ours && fold(s.path).startsWith(below))
            return s.path.left(path.size());
    }
    return path;
}

Entry* findValue(Section* s, const QString& name)
{
    if (s == nullptr)
        return nullptr;
    for (Entry& e : s->values) {
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    }
    return nullptr;
}

// ------------------------------------------------------- folders and files

struct RootInfo
{
    HKEY handle;
    const char16_t* name;
};

constexpr RootInfo kRoots[] = {
    {HKEY_CLASSES_ROOT, u"HKEY_CLASSES_ROOT"},
    {HKEY_CURRENT_USER, u"HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, u"HKEY_LOCAL_MACHINE"},
    {HKEY_USERS, u"HKEY_USERS"},
    {HKEY_PERFORMANCE_DATA, u"HKEY_PERFORMANCE_DATA"},
    {HKEY_CURRENT_CONFIG, u"HKEY_CURRENT_CONFIG"},
    {HKEY_DYN_DATA, u"HKEY_DYN_DATA"},
};

bool isRoot(HKEY h)
{
    return h >= HKEY_CLASSES_ROOT && h <= HKEY_DYN_DATA;
}

QString folderOf(HKEY root)
{
    const QString env = qEnvironmentVariable("QUORVEL_REGISTRY_DIR");
    if (!env.isEmpty())
        return env;
    if (root == HKEY_CURRENT_USER)
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               u"/quorvel/registry"_s;
    return u"/var/lib/quorvel/registry"_s;
}

QString errnoText(int e)
{
    return QString::fromLocal8Bit(std::strerror(e));
}

bool isRefusal(int e)
{
    return e == EACCES || e == EPERM || e == EROFS;
}

std::mutex& reportMutex()
{
    static std::mutex m;
    return m;
}

// One message per file and reason: a broken file is read by every call.
void report(const QString& what, const QString& file, const QString& reason)
{
    {
        static QSet<QString> shown;
        std::lock_guard lock(reportMutex());
        const QString k = what + u'\n' + file + u'\n' + reason;
        if (shown.contains(k))
            return;
        shown.insert(k);
    }
    ui::msgBox(what + u" : "_s + file + u"\r\n"_s + reason, ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
}

struct Loaded
{
    long code = ERROR_SUCCESS;
    Document doc;
    bool existed = false;
};

Loaded load(HKEY root)
{
    Loaded r;
    const QString file = rootFile(root);
    const QByteArray path = QFile::encodeName(file);
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        if (e == ENOENT || e == ENOTDIR)
            return r; // no file yet: a registry without keys
        report(u"Fisierul registrului nu poate fi citit"_s, file, errnoText(e));
        r.code = isRefusal(e) ? ERROR_ACCESS_DENIED : ERROR_READ_FAULT;
        return r;
    }
    QByteArray bytes;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int e = errno;
            ::close(fd);
            report(u"Fisierul registrului nu poate fi citit"_s, file, errnoText(e));
            r.code = ERROR_READ_FAULT;
            return r;
        }
        if (n == 0)
            break;
        bytes.append(buf, n);
    }
    ::close(fd);
    r.existed = true;
    r.doc = parse(QString::fromUtf8(bytes), rootName(root));
    return r;
}

// Writes the whole file through a side file; the caller holds the lock.
long store(HKEY root, const Document& doc)
{
    const QString file = rootFile(root);
    const QByteArray path = QFile::encodeName(file);
    const QByteArray side = path + ".new";
    const QByteArray data = serialise(doc).toUtf8();
    const char* what = "";
    auto fail = [&](int e, int fd) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(side.constData());
        if (isRefusal(e))
            return ERROR_ACCESS_DENIED;
        report(u"Fisierul registrului nu poate fi scris"_s, file,
               errnoText(e) + (*what ? u" ("_s + QString::fromLatin1(what) + u')' : QString()));
        return ERROR_WRITE_FAULT;
    };

    mode_t mode = 0644;
    struct stat st;
    if (::stat(path.constData(), &st) == 0) {
        mode = st.st_mode & 07777;
        if (::access(path.constData(), W_OK) != 0 && isRefusal(errno))
            return ERROR_ACCESS_DENIED;
    }
    what = "open";
    const int fd = ::open(side.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return fail(errno, -1);
    qsizetype done = 0;
    what = "write";
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, static_cast<size_t>(data.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno, fd);
        }
        done += n;
    }
    what = "fsync";
    if (::fsync(fd) != 0)
        return fail(errno, fd);
    if (::close(fd) != 0)
        return fail(errno, -1);
    what = "rename";
    if (::rename(side.constData(), path.constData()) != 0)
        return fail(errno, -1);
    const QByteArray dir = QFile::encodeName(folderOf(root));
    const int dfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return ERROR_SUCCESS;
}

// Read, change and write back one root's file under its lock. change returns
// a result code and says whether the document changed.
long modify(HKEY root, const std::function<long(Document&, bool&)>& change)
{
    if (isReadOnly(root))
        return ERROR_ACCESS_DENIED;
    const QString folder = folderOf(root);
    const QString file = rootFile(root);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(folder).toStdString()), ec);
    if (ec) {
        if (isRefusal(ec.value()))
            return ERROR_ACCESS_DENIED;
        report(u"Fisierul registrului nu poate fi scris"_s, file, QString::fromLocal8Bit(ec.message()));
        return ERROR_WRITE_FAULT;
    }
    const QByteArray lockPath = QFile::encodeName(file) + ".lock";
    const int lfd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lfd < 0) {
        const int e = errno;
        if (isRefusal(e))
            return ERROR_ACCESS_DENIED;
        report(u"Fisierul registrului nu poate fi scris"_s, file, errnoText(e));
        return ERROR_WRITE_FAULT;
    }
    while (::flock(lfd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            const int e = errno;
            ::close(lfd);
            report(u"Fisierul registrului nu poate fi scris"_s, file, errnoText(e));
            return ERROR_WRITE_FAULT;
        }
    }
    Loaded l = load(root);
    long code = l.code;
    if (code == ERROR_SUCCESS) {
        bool changed = false;
        code = change(l.doc, changed);
        if (code == ERROR_SUCCESS && changed)
            code = store(root, l.doc);
    }
    ::flock(lfd, LOCK_UN);
    ::close(lfd);
    return code;
}

// ------------------------------------------------------------- open keys

struct OpenKey
{
    HKEY root = 0;
    QString path;
    std::uint32_t access = 0;
};

std::mutex& keysMutex()
{
    static std::mutex m;
    return m;
}

std::map<HKEY, OpenKey>& keys()
{
    static std::map<HKEY, OpenKey> k;
    return k;
}

bool resolve(HKEY h, OpenKey* out)
{
    if (isRoot(h)) {
        *out = OpenKey{h, QString(), KEY_ALL_SPECIFIC};
        return true;
    }
    std::lock_guard lock(keysMutex());
    const auto it = keys().find(h);
    if (it == keys().end())
        return false;
    *out = it->second;
    return true;
}

HKEY issue(const OpenKey& k)
{
    static HKEY next = 0x100;
    std::lock_guard lock(keysMutex());
    next += 4;
    if (next >= HKEY_CLASSES_ROOT)
        next = 0x104;
    while (keys().count(next) != 0)
        next += 4;
    keys()[next] = k;
    return next;
}

Section& ensureSection(Document& doc, HKEY root, const QString& path)
{
    if (Section* s = findSection(doc, path))
        return *s;
    Section s;
    s.path = path;
    s.header = rootName(root) + (path.isEmpty() ? QString() : u'\\' + path);
    doc.sections.append(s);
    return doc.sections.last();
}

long setEntry(HKEY key, const Entry& value)
{
    OpenKey k;
    if (!resolve(key, &k))
        return ERROR_INVALID_HANDLE;
    if ((k.access & KEY_SET_VALUE) == 0)
        return ERROR_ACCESS_DENIED;
    return modify(k.root, [&](Document& doc, bool& changed) -> long {
        if (!keyExists(doc, k.path))
            return ERROR_KEY_DELETED;
        Section& s = ensureSection(doc, k.root, k.path);
        if (Entry* e = findValue(&s, value.name)) {
            const QString name = e->name; // the value keeps its first spelling
            *e = value;
            e->name = name;
        } else {
            s.values.append(value);
        }
        changed = true;
        return ERROR_SUCCESS;
    });
}

// Finds a value of an open key in a fresh read of its file.
long getEntry(HKEY key, const QString& name, Entry* out)
{
    OpenKey k;
    if (!resolve(key, &k))
        return ERROR_INVALID_HANDLE;
    if ((k.access & KEY_QUERY_VALUE) == 0)
        return ERROR_ACCESS_DENIED;
    Loaded l = load(k.root);
    if (l.code != ERROR_SUCCESS)
        return l.code;
    if (!keyExists(l.doc, k.path))
        return ERROR_KEY_DELETED;
    Entry* e = findValue(findSection(l.doc, k.path), name);
    if (e == nullptr)
        return ERROR_FILE_NOT_FOUND;
    *out = *e;
    return ERROR_SUCCESS;
}

std::uint32_t sizeOf(const Entry& e)
{
    if (e.type == REG_SZ && e.raw.isEmpty())
        return static_cast<std::uint32_t>(e.text.size() + 1);
    if (e.type == REG_DWORD && e.raw.isEmpty())
        return 4;
    return rawSize(e.raw);
}

} // namespace

// ------------------------------------------------------------ public calls

QString rootName(HKEY root)
{
    for (const RootInfo& r : kRoots) {
        if (r.handle == root)
            return QString::fromUtf16(r.name);
    }
    return QString();
}

QString rootFile(HKEY root)
{
    return folderOf(root) + u'/' + rootName(root) + u".reg"_s;
}

bool isReadOnly(HKEY root)
{
    const QStringList names =
        qEnvironmentVariable("QUORVEL_REGISTRY_READONLY").split(u',', Qt::SkipEmptyParts);
    const QString mine = rootName(root);
    for (const QString& n : names) {
        if (n.trimmed().compare(mine, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

long openKey(HKEY key, const QString& subKey, std::uint32_t access, HKEY* result)
{
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = 0;
    OpenKey parent;
    if (!resolve(key, &parent))
        return ERROR_INVALID_HANDLE;
    const QString path = joinPath(parent.path, subKey);
    Loaded l = load(parent.root);
    if (l.code != ERROR_SUCCESS)
        return l.code;
    if (!keyExists(l.doc, path))
        return ERROR_FILE_NOT_FOUND;
    *result = issue(OpenKey{parent.root, path, access});
    return ERROR_SUCCESS;
}

long createKey(HKEY key, const QString& subKey, std::uint32_t access, HKEY* result,
               std::uint32_t* disposition)
{
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = 0;
    OpenKey parent;
    if (!resolve(key, &parent))
        return ERROR_INVALID_HANDLE;
    const QString path = joinPath(parent.path, subKey);
    {
        Loaded l = load(parent.root);
        if (l.code != ERROR_SUCCESS)
            return l.code;
        if (keyExists(l.doc, path)) {
            if (disposition)
                *disposition = REG_OPENED_EXISTING_KEY;
            *result = issue(OpenKey{parent.root, path, access});
            return ERROR_SUCCESS;
        }
    }
    std::uint32_t disp = REG_OPENED_EXISTING_KEY;
    const long code = modify(parent.root, [&](Document& doc, bool& changed) -> long {
        if (!keyExists(doc, path))
            disp = REG_CREATED_NEW_KEY;
        // Every key from the root down gets its own section, as an export
        // of the registry shows them.
        // A key below an existing one takes that key's spelling.
        const QStringList parts = path.split(u'\\');
        QString p;
        for (const QString& part : parts) {
            p = p.isEmpty() ? part : p + u'\\' + part;
            if (const Section* s = findSection(doc, p)) {
                p = s->path;
            } else {
                p = spelling(doc, p);
                ensureSection(doc, parent.root, p);
                changed = true;
            }
        }
        return ERROR_SUCCESS;
    });
    if (code != ERROR_SUCCESS)
        return code;
    if (disposition)
        *disposition = disp;
    *result = issue(OpenKey{parent.root, path, access});
    return ERROR_SUCCESS;
}

long closeKey(HKEY key)
{
    if (isRoot(key))
        return ERROR_SUCCESS;
    std::lock_guard lock(keysMutex());
    return keys().erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

long queryValue(HKEY key, const QString& name, std::uint32_t* type, std::uint32_t* size)
{
    Entry e;
    const long code = getEntry(key, name, &e);
    if (code != ERROR_SUCCESS)
        return code;
    if (type)
        *type = e.type;
    if (size)
        *size = sizeOf(e);
    return ERROR_SUCCESS;
}

long queryTextValue(HKEY key, const QString& name, QString* buffer, std::uint32_t* size)
{
    if (buffer == nullptr || size == nullptr)
        return ERROR_INVALID_PARAMETER;
    Entry e;
    const long code = getEntry(key, name, &e);
    if (code != ERROR_SUCCESS)
        return code;
    if (e.type != REG_SZ || !e.raw.isEmpty())
        return ERROR_INVALID_PARAMETER;
    const std::uint32_t needed = sizeOf(e);
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    *buffer = e.text + QChar(u'\0');
    *size = needed;
    return ERROR_SUCCESS;
}

long queryDWordValue(HKEY key, const QString& name, std::uint32_t* value)
{
    if (value == nullptr)
        return ERROR_INVALID_PARAMETER;
    Entry e;
    const long code = getEntry(key, name, &e);
    if (code != ERROR_SUCCESS)
        return code;
    if (e.type != REG_DWORD || !e.raw.isEmpty())
        return ERROR_INVALID_PARAMETER;
    *value = e.number;
    return ERROR_SUCCESS;
}

long setTextValue(HKEY key, const QString& name, const QString& data, std::uint32_t size)
{
    QString text = data.left(static_cast<qsizetype>(size));
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    Entry e;
    e.name = name;
    e.type = REG_SZ;
    e.text = text;
    return setEntry(key, e);
}

long setDWordValue(HKEY key, const QString& name, std::uint32_t value)
{
    Entry e;
    e.name = name;
    e.type = REG_DWORD;
    e.number = value;
    return setEntry(key, e);
}

long setRawValue(HKEY key, const QString& name, const QString& fileData)
{
    Entry e;
    // Parse it as the file would, so a quoted text or a dword stays what it is.
    if (!parseValue(quoted(name) + u'=' + fileData, &e))
        return ERROR_INVALID_PARAMETER;
    e.name = name;
    return setEntry(key, e);
}

int openKeyCount()
{
    std::lock_guard lock(keysMutex());
    return static_cast<int>(keys().size());
}

} // namespace reg
