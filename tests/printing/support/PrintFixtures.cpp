#include "tests/printing/support/PrintFixtures.h"
#include <zlib.h>
#include <vector>

namespace printing_tests {

unsigned long long AddHeader(testing_support::TempDatabase& db, const wchar_t* table, long long number,
                             unsigned long long client, double net, double vat, double total, const wchar_t* series,
                             unsigned long long delegate, long long created, long long due)
{
    db.Exec(micro::qsql::SqlFormat(L"insert into %s (status, numar, client, dataCreare, dataScadenta, agent, "
                                   L"delegat, valoareFT, valoareTVA, valoareTTI, sold, serie) values "
                                   L"(1, %lld, %llu, %lld, %lld, 0, %llu, %.2f, %.2f, %.2f, %.2f, '%s')",
                                   table, number, client, created, due, delegate, net, vat, total, total, series)
                .c_str());
    return static_cast<unsigned long long>(db.Db().LastInsertRowId());
}

void AddLine(testing_support::TempDatabase& db, const wchar_t* table, unsigned long long document,
             unsigned long long product, double quantity, double price)
{
    db.Exec(micro::qsql::SqlFormat(L"insert into %s (produsID, cantitate, valoareFT, IDFactura) values "
                                   L"(%llu, %f, %f, %llu)",
                                   table, product, quantity, price, document)
                .c_str());
}

void AddReceipt(testing_support::TempDatabase& db, const wchar_t* facturi, const wchar_t* series, long long number,
                unsigned long long client, int status)
{
    db.Exec(micro::qsql::SqlFormat(L"insert into Incasari (serie, numar, IDClient, facturi, suma, sumaStr, data, "
                                   L"status, tip, agent) values ('%s', %lld, %llu, '%s', 0, '', 0, %d, 0, 0)",
                                   series, number, client, facturi, status)
                .c_str());
}

namespace {

void PutBig32(std::string& out, unsigned long value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutChunk(std::string& out, const char* type, const std::string& data)
{
    PutBig32(out, static_cast<unsigned long>(data.size()));
    std::string body(type, 4);
    body += data;
    out += body;
    PutBig32(out, crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
}

} // namespace

std::string SolidPng(unsigned width, unsigned height, unsigned char r, unsigned char g, unsigned char b)
{
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    PutBig32(header, width);
    PutBig32(header, height);
    header += std::string("\x08\x02\x00\x00\x00", 5);
    PutChunk(png, "IHDR", header);
    std::string raw;
    for (unsigned y = 0; y < height; ++y) {
        raw.push_back(0);
        for (unsigned x = 0; x < width; ++x) {
            raw.push_back(static_cast<char>(r));
            raw.push_back(static_cast<char>(g));
            raw.push_back(static_cast<char>(b));
        }
    }
    std::vector<Bytef> packed(compressBound(static_cast<uLong>(raw.size())));
    uLongf packedSize = static_cast<uLongf>(packed.size());
    compress(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()));
    PutChunk(png, "IDAT", std::string(reinterpret_cast<char*>(packed.data()), packedSize));
    PutChunk(png, "IEND", std::string());
    return png;
}

} // namespace printing_tests
