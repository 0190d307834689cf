#include <gtest/gtest.h>
#include <algorithm>
#include <vector>
#include "framework/utils/QArray.h"
#include "framework/utils/QBuffer.h"
#include "framework/utils/QString.h"
#include "framework/utils/TimeFormat.h"

using micro::utils::QBuffer;
using micro::utils::QObArray;
using micro::utils::QString;

TEST(QStringTest, CopiesShareUntilOneChangesAndEditsStayInsideTheText)
{
    QString a(L"factura");
    QString b(a);
    EXPECT_EQ(a.c_str(), b.c_str());
    b.Append(L" 7");
    EXPECT_STREQ(L"factura", a.c_str());
    EXPECT_STREQ(L"factura 7", b.c_str());
    // A text given its own characters keeps them.
    a = a.c_str();
    a.Append(a.c_str());
    a.Insert(7, a.c_str());
    EXPECT_STREQ(L"facturafacturafacturafactura", a.c_str());

    QString s(L"abc");
    EXPECT_EQ(5, s.Insert(100, L"de"));
    EXPECT_EQ(6, s.Insert(1, L" "));
    EXPECT_EQ(5, s.Delete(1));
    EXPECT_EQ(5, s.Delete(40, 3));
    EXPECT_EQ(3, s.Delete(3, 100));
    EXPECT_STREQ(L"abc", s.c_str());
    EXPECT_STREQ(L"abc", s.Left(50).c_str());
    EXPECT_STREQ(L"abc", s.Right(9).c_str());
    EXPECT_TRUE(s.Left(-3).IsEmpty());
    QString empty;
    EXPECT_EQ(2, empty.Insert(7, L"xy")) << "insert on an empty string assigns";
}

TEST(QStringTest, FormatReadsWideTextFullUnsignedAndTruncatesAt15999Characters)
{
    QString s;
    s.Format(L"[%s|%llu|%d|%.2f]", L"Ștefan", 18446744073709551615ULL, -5, 7.005);
    EXPECT_STREQ(L"[Ștefan|18446744073709551615|-5|7.00]", s.c_str());
    std::wstring longText(20000, L'x');
    s.Format(L"%s", longText.c_str());
    EXPECT_EQ(15999, s.GetLength());
    // Around the length where short texts stop fitting the quick buffer,
    // nothing is lost and later arguments still arrive.
    for (int length = 505; length <= 520; ++length) {
        std::wstring text(length, L'y');
        s.Format(L"%s|%d|%s", text.c_str(), length, L"end");
        EXPECT_EQ(text + L"|" + std::to_wstring(length) + L"|end", std::wstring(s.c_str())) << length;
    }
}

namespace {
struct Counted {
    explicit Counted(std::vector<int>* log, int id) : log(log), id(id) {}
    ~Counted() { log->push_back(id); }
    std::vector<int>* log;
    int id;
};
}

TEST(QObArrayTest, RangeRemovalDeletesExactlyThoseOnce)
{
    std::vector<int> deleted;
    {
        QObArray<Counted> a;
        for (int i = 0; i < 10; ++i)
            a.Add(new Counted(&deleted, i));
        a.RemoveAt(2, 3);
        EXPECT_EQ((std::vector<int>{2, 3, 4}), deleted);
        EXPECT_EQ(5, a.GetAt(2)->id);
        a.RemoveAt(5, 100); // cut to what is present
        a.RemoveAt(-1, 2);
        a.RemoveAt(9, 1);
        EXPECT_EQ(5, a.GetCount());
        EXPECT_EQ(nullptr, a.GetAt(5));
        EXPECT_EQ(nullptr, a.GetAt(-1));
    }
    std::sort(deleted.begin(), deleted.end());
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), deleted);
}

TEST(QBufferTest, GrowingKeepsEveryByte)
{
    QBuffer b;
    std::vector<unsigned char> expected;
    for (int round = 0; round < 40; ++round) {
        std::vector<unsigned char> chunk(round * 997 + 1);
        for (size_t i = 0; i < chunk.size(); ++i)
            chunk[i] = static_cast<unsigned char>(i * 31 + round);
        b.Append(chunk.data(), static_cast<int>(chunk.size()));
        expected.insert(expected.end(), chunk.begin(), chunk.end());
    }
    // One append far larger than half the capacity; counts of 0 or less add nothing.
    std::vector<unsigned char> big(3 * b.GetCapacity(), 0x5a);
    b.Append(big.data(), static_cast<int>(big.size()));
    expected.insert(expected.end(), big.begin(), big.end());
    b.Append("x", 0);
    b.Append("x", -4);
    ASSERT_EQ(static_cast<int>(expected.size()), b.GetCount());
    EXPECT_EQ(0, memcmp(expected.data(), b.GetData(), expected.size()));
}

TEST(TimeFormatTest, FormatsLocalDatesAndRefusesMinusOne)
{
    QString s(L"unchanged");
    EXPECT_FALSE(micro::utils::FormatTimeText(-1, s, L"%d-%m-%Y"));
    EXPECT_STREQ(L"unchanged", s.c_str());
    ASSERT_TRUE(micro::utils::FormatTimeText(1700000000, s, L"%d-%m-%y"));
    EXPECT_STREQ(L"14-11-23", s.c_str());
}
