#pragma once
// The registry calls the settings store makes, kept in REGEDIT4 text files,
// one file per root key ("HKEY_LOCAL_MACHINE.reg", ...).
//
// File format: a "REGEDIT4" line, then "[ROOT\sub\key]" sections holding
// "name"="text", "name"=dword:0000007b and @= for the key's default value;
// inside quotes \" and \\ are escaped (and \r, \n for line breaks). Values of
// any other kind (hex:..., hex(2):...) are kept exactly as written, so a
// reader sees "another type". Key and value names match without regard to
// case; a key keeps the spelling it was first written with.
//
// Where the files live: QUORVEL_REGISTRY_DIR names one folder for every root.
// Without it HKEY_CURRENT_USER lives in the user's configuration folder
// (~/.config/quorvel/registry) and the other roots in the machine-wide folder
// /var/lib/quorvel/registry, which an ordinary user may read but not write.
// QUORVEL_REGISTRY_READONLY lists roots (comma separated, e.g.
// "HKEY_LOCAL_MACHINE") whose writes are refused, as for a user without
// administrative rights; this lets tests run as root see both outcomes.
//
// Every call reads the file afresh and every change rewrites it whole: a side
// file in the same folder, synced, then renamed over the old one, under an
// exclusive lock on "<file>.lock". A process killed in the middle of a write
// leaves the old file or the new one, never a partial one; the stale side
// file is replaced by the next write.
//
// A key must exist to be opened. Opening a key of a read-only root succeeds
// when its file can be read (so a reader without write rights still finds
// the installation's folders); writes through it are refused with
// ERROR_ACCESS_DENIED. A refused write is silent. A file that exists but
// cannot be read or parsed as a file, or a write that fails for another
// reason than the lack of rights, shows one message naming the file and the
// reason (once per file and reason) and the call fails with a code; it never
// ends the program.

#include <QString>
#include <cstdint>

namespace reg {

using HKEY = std::uint32_t;

// Root keys, usable as open keys without opening them.
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;
inline constexpr HKEY HKEY_DYN_DATA = 0x80000006u;

// Result codes of the registry calls, by the numbers their callers test.
inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_WRITE_FAULT = 29;
inline constexpr long ERROR_READ_FAULT = 30;
inline constexpr long ERROR_INVALID_PARAMETER = 87;
inline constexpr long ERROR_MORE_DATA = 234;
inline constexpr long ERROR_BADDB = 1009;
inline constexpr long ERROR_KEY_DELETED = 1018;

// Value types.
inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;

// Access rights. KEY_ALL_SPECIFIC (0x3F) is what the program asks for.
inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr std::uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr std::uint32_t KEY_NOTIFY = 0x0010;
inline constexpr std::uint32_t KEY_CREATE_LINK = 0x0020;
inline constexpr std::uint32_t KEY_ALL_SPECIFIC = 0x003F;
inline constexpr std::uint32_t KEY_READ = 0x20019;

// What createKey did.
inline constexpr std::uint32_t REG_CREATED_NEW_KEY = 1;
inline constexpr std::uint32_t REG_OPENED_EXISTING_KEY = 2;

// The root's name ("HKEY_LOCAL_MACHINE") or "" for a handle that is no root.
QString rootName(HKEY root);
// The file that holds a root's keys.
QString rootFile(HKEY root);
// Whether writes under the root are refused by QUORVEL_REGISTRY_READONLY.
bool isReadOnly(HKEY root);

// Opens an existing key below an open key or a root; subKey "" opens the key
// itself. ERROR_FILE_NOT_FOUND when the key does not exist; *result is 0 on
// failure.
long openKey(HKEY key, const QString& subKey, std::uint32_t access, HKEY* result);
// Opens the key, creating it and every missing key above it.
// *disposition (optional) tells whether it was created or already there.
long createKey(HKEY key, const QString& subKey, std::uint32_t access, HKEY* result,
               std::uint32_t* disposition = nullptr);
long closeKey(HKEY key);

// The type and size of a value: for text the characters with the
// terminating NUL, 4 for a number, the bytes of other kinds. Either pointer
// may be null. ERROR_FILE_NOT_FOUND when the value does not exist.
long queryValue(HKEY key, const QString& name, std::uint32_t* type, std::uint32_t* size);
// A text value into buffer: *size is the room in characters, NUL included;
// on return the buffer holds the text followed by one NUL and *size its
// length with the NUL. ERROR_MORE_DATA (and the needed *size) when the room
// is too small; ERROR_INVALID_PARAMETER when the value is not text.
long queryTextValue(HKEY key, const QString& name, QString* buffer, std::uint32_t* size);
// A 32-bit number value; ERROR_INVALID_PARAMETER when it is of another type.
long queryDWordValue(HKEY key, const QString& name, std::uint32_t* value);

// Writes a text value: the first size characters of data, cut at the first
// NUL (size counts the terminating NUL, as the program passes it).
long setTextValue(HKEY key, const QString& name, const QString& data, std::uint32_t size);
long setDWordValue(HKEY key, const QString& name, std::uint32_t value);
// Writes a value of another kind exactly as the file spells it after "=",
// e.g. "hex(2):25,00,00". Used to keep what others wrote, and by tests.
long setRawValue(HKEY key, const QString& name, const QString& fileData);

// Open keys not closed yet (a leak check for tests).
int openKeyCount();

} // namespace reg
