// Feeds arbitrary bytes to the measurement file reader. Whatever the bytes,
// reading must either fail with one of the framework's exceptions or give a
// document that writes out and reads back to exactly the same bytes.

#include "CArchive.h"
#include "CFile.h"
#include "CMemFile.h"
#include "Exceptions.h"
#include "NolvexDoc.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<BYTE> Write(CNolvexDoc& document)
{
    CMemFile file;
    CArchive archive(&file, CArchive::store);
    document.Serialize(archive);
    archive.Close();
    return file.TakeBytes();
}

bool Read(std::vector<BYTE> bytes, CNolvexDoc& document)
{
    CMemFile file(std::move(bytes));
    try {
        CArchive archive(&file, CArchive::load);
        document.Serialize(archive);
        return true;
    } catch (const CException&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CNolvexDoc document;
    if (!Read(std::vector<BYTE>(data, data + size), document))
        return 0;
    const std::vector<BYTE> written = Write(document);
    CNolvexDoc reread;
    if (!Read(written, reread))
        std::abort(); // the program could not read what it wrote
    if (Write(reread) != written)
        std::abort(); // reading back changed the document
    return 0;
}
