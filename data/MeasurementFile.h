#pragma once

#include "CString.h"
#include "Types.h"

#include <cstddef>
#include <cstdint>
#include <optional>

class CArchive;
class CNolvexDoc;

// The ".nolvex" measurement file: a flat stream of tagged records with no
// file header, little-endian, ended by a tag.
namespace MeasurementFile {

inline constexpr BYTE kTagTest = 0x7A;   // 'z': a test header follows
inline constexpr BYTE kTagSample = 0x6F; // 'o': a sample record follows
inline constexpr BYTE kTagMarker = 0x90; // a marker code byte follows
inline constexpr BYTE kTagEnd = 0x85;

inline constexpr std::size_t kSampleRecordSize = 344;

// Where reading stopped before the end of the file: the offset of the byte
// that ended it (a stray byte, or an end tag with more bytes behind it) and
// how many bytes of the file were not read from there on.
struct UnreadTail
{
    std::uint64_t stopOffset = 0;
    std::uint64_t byteCount = 0;
};

// Fills a document without tests from a loading archive. Reading stops at
// the first byte that is no record tag. Values below zero are read as 0,
// except "TWA", which is a level and may be negative; a sample or marker
// before the first test header has no test and is dropped. Returns the bytes
// left unread when reading stopped before the end of the file: saving the
// document over it would lose them.
std::optional<UnreadTail> Read(CArchive& ar, CNolvexDoc& document);

// What to tell a person about those bytes, naming the file.
CString DescribeUnreadTail(const CString& path, const UnreadTail& tail);

// Writes every test of the document to a storing archive, then the end tag.
void Write(CArchive& ar, const CNolvexDoc& document);

} // namespace MeasurementFile
