#include "BitmapEx.h"

#include "ArchiveLimits.h"
#include "CArchive.h"

#include <cstdint>
#include <vector>

IMPLEMENT_DYNAMIC(CBitmapEx, CObject)

void CBitmapEx::Serialize(CArchive& archive)
{
    if (archive.IsStoring()) {
        BITMAP description{};
        GetBitmap(&description);
        archive.WriteValue<std::int32_t>(description.bmType);
        archive.WriteValue<std::int32_t>(description.bmWidth);
        archive.WriteValue<std::int32_t>(description.bmHeight);
        archive.WriteValue<std::int32_t>(description.bmWidthBytes);
        archive.WriteValue<std::int16_t>(static_cast<std::int16_t>(description.bmPlanes));
        archive.WriteValue<std::int16_t>(static_cast<std::int16_t>(description.bmBitsPixel));
        const auto size = static_cast<std::size_t>(description.bmWidthBytes) *
                          static_cast<std::size_t>(description.bmHeight);
        std::vector<BYTE> bits(size);
        if (size > 0)
            GetBitmapBits(static_cast<DWORD>(size), bits.data());
        archive.Write(bits.data(), size);
        return;
    }
    BITMAP description{};
    description.bmType = archive.ReadValue<std::int32_t>();
    description.bmWidth = archive.ReadValue<std::int32_t>();
    description.bmHeight = archive.ReadValue<std::int32_t>();
    description.bmWidthBytes = archive.ReadValue<std::int32_t>();
    description.bmPlanes = static_cast<WORD>(archive.ReadValue<std::int16_t>());
    description.bmBitsPixel = static_cast<WORD>(archive.ReadValue<std::int16_t>());
    // A stored size that cannot be a picture of the chart is refused before
    // anything is read, so that no more is asked of the file or of memory
    // than such a picture takes.
    if (description.bmWidth < 0 || description.bmHeight < 0 || description.bmWidthBytes < 0 ||
        description.bmWidth > kMaxBitmapSide || description.bmHeight > kMaxBitmapSide)
        archive.ThrowGenericError("The picture's stored size is not possible.");
    const auto size = static_cast<std::uint64_t>(description.bmWidthBytes) *
                      static_cast<std::uint64_t>(description.bmHeight);
    if (size > kMaxBitmapBytes)
        archive.ThrowGenericError("The picture's stored size is not possible.");
    // Pictures are rows of 32-bit pixels; an empty one (as an object without
    // a picture stores) has no format.
    const bool empty = description.bmWidth == 0 || description.bmHeight == 0;
    if (!empty && (description.bmPlanes != 1 || description.bmBitsPixel != 32 ||
                   static_cast<std::uint64_t>(description.bmWidthBytes) !=
                       static_cast<std::uint64_t>(description.bmWidth) * 4))
        archive.ThrowGenericError("The picture's stored pixel format is not supported.");
    // Read in place first: the end of the file comes before any memory is
    // taken for pixels the file does not hold.
    const BYTE* bits = archive.ReadInPlace(static_cast<std::size_t>(size));
    std::vector<BYTE> pixels(bits, bits + size);
    description.bmBits = pixels.data();
    DeleteObject();
    if (!empty && !CreateBitmapIndirect(&description))
        archive.ThrowGenericError("The picture's stored pixel format is not supported.");
}
