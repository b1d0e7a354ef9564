#pragma once

#include <cstdint>

class CNolvexDoc;

// What to generate. The same options always give the same document, byte for
// byte: the generator draws its random numbers itself rather than through the
// standard library's distributions, whose results differ between libraries.
struct GeneratorOptions
{
    std::uint64_t seed = 1;
    // Length of every test; a test holds round(durationSeconds * 10) samples.
    double durationSeconds = 600.0;
    int testCount = 1;
};

// Fills a document that has no tests with testCount generated tests: a
// recording of a workplace whose A-weighted level wanders between about 60
// and 100 dB with loud events (each marked) of 10 to 20 dB more, with all 61
// metrics consistent with one another. The running metrics are those the
// program's recalculation computes. Throws CInvalidArgException when the
// document already has tests, testCount is below 1 or the duration is
// negative, not a number or too long for a test, and CMemoryException when
// the arrays cannot be allocated.
void GenerateDocument(const GeneratorOptions& options, CNolvexDoc& document);
