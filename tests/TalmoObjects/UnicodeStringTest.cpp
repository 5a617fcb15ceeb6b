#include "TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

using TObj::CUnicodeString;

TEST(UnicodeString, CopiesShareUntilOneChanges)
{
    CUnicodeString original(u"shared text");
    CUnicodeString copy(original);
    EXPECT_EQ(original.Ptr(), copy.Ptr());
    EXPECT_EQ(2, original.ShareCountForTesting());

    copy += u'!';
    EXPECT_NE(original.Ptr(), copy.Ptr());
    EXPECT_EQ(U("shared text"), original);
    EXPECT_EQ(U("shared text!"), copy);
    EXPECT_EQ(1, original.ShareCountForTesting());
    EXPECT_EQ(1, copy.ShareCountForTesting());
}

TEST(UnicodeString, EveryChangingOperationLeavesTheSourceOfACopyAlone)
{
    using Change = void (*)(CUnicodeString&);
    const Change changes[] = {
        [](CUnicodeString& s) { s.SetAt(0, u'X'); },
        [](CUnicodeString& s) { s.Replace(1, 2, U("zz")); },
        [](CUnicodeString& s) { s.Delete(0, 3); },
        [](CUnicodeString& s) { s.Append(u"++", 2); },
        [](CUnicodeString& s) { s.ReplaceAll(U("a"), U("b")); },
        [](CUnicodeString& s) { s.Trim(); },
    };
    for (const Change change : changes) {
        const CUnicodeString original(u" abcabc ");
        CUnicodeString copy(original);
        change(copy);
        EXPECT_EQ(U(" abcabc "), original);
    }
}

TEST(UnicodeString, EmptyStringsNeverAllocateAndALengthCopiesExactlyThatManyUnits)
{
    CUnicodeString a, b(u""), c(u"x", 0);
    EXPECT_TRUE(a.Ptr() == b.Ptr() && a.Ptr() == c.Ptr() && a.Ptr()[0] == 0);
    EXPECT_EQ(0u, a.AllocatedBytesForTesting());
    const char16_t unterminated[] = {u'a', u'b', u'c', u'd'};
    const CUnicodeString s(unterminated, 3);
    EXPECT_EQ(U("abc"), s);
    EXPECT_EQ(0, s.Ptr()[3]);
    EXPECT_TRUE(CUnicodeString(unterminated, -5).IsEmpty());
}

TEST(UnicodeString, PrivateCopyOfASharedBlockHasRoomForTheLongerText)
{
    CUnicodeString big = CUnicodeString::Repeat(u'a', 100);
    big.Delete(90, 10); // 90 units in a block made for 100
    CUnicodeString copy(big);
    copy.Replace(0, 0, CUnicodeString::Repeat(u'b', 5));
    EXPECT_EQ(95, copy.Length());
    EXPECT_GE(copy.AllocatedBytesForTesting(), 2u * 95 + 14);
    EXPECT_EQ(90, big.Length());
}

TEST(UnicodeString, AppendingItselfOrAPartOfItself)
{
    CUnicodeString s(u"abc");
    s += s;
    EXPECT_EQ(U("abcabc"), s);
    s.Append(s.Ptr() + 1, 2);
    EXPECT_EQ(U("abcabcbc"), s);
    s.Replace(0, 1, s);
    EXPECT_EQ(U("abcabcbcbcabcbc"), s);
}

TEST(UnicodeString, RangesAreClampedToTheText)
{
    const CUnicodeString s(u"hello");
    // A text written in place is as long as its writer says, within its room.
    const auto written = [](int told) {
        return CUnicodeString::Written(4, [told](TObj::WChar* units) { return std::fill_n(units, 4, u'w'), told; });
    };
    struct Case {
        CUnicodeString actual;
        const char* expected;
    } cases[] = {
        {s.Mid(1, 3), "ell"}, {s.Mid(3), "lo"},  {s.Mid(-4, 2), "he"},  {s.Mid(9, 2), ""},    {s.Mid(2, 99), "llo"},
        {s.Left(2), "he"},    {s.Left(-1), ""},  {s.Left(50), "hello"}, {s.Right(3), "llo"},  {s.Right(80), "hello"},
        {s.Right(-2), ""},    {written(-1), ""}, {written(2), "ww"},    {written(9), "wwww"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(c.expected), c.actual);

    CUnicodeString d(u"hello");
    d.Delete(3, 100);
    EXPECT_EQ(U("hel"), d);
    d.Replace(-3, 1, U("J"));
    EXPECT_EQ(U("Jel"), d);
    d.Replace(10, 0, U("!"));
    EXPECT_EQ(U("Jel!"), d);
    EXPECT_EQ(0, s[-1]);
    EXPECT_EQ(0, s[5]);
}

TEST(UnicodeString, Searching)
{
    const CUnicodeString s(u"a$(b)$(c)");
    EXPECT_EQ(1, s.Find(U("$(")));
    EXPECT_EQ(5, s.Find(U("$("), 2));
    EXPECT_EQ(-1, s.Find(U("$("), 6));
    EXPECT_EQ(-1, s.Find(U("$("), 100));
    EXPECT_EQ(4, s.Find(u')'));
    EXPECT_EQ(8, s.ReverseFind(u')'));
    EXPECT_EQ(-1, s.Find(u'z'));
    EXPECT_EQ(3, s.Find(CUnicodeString(), 3));
    EXPECT_TRUE(s.StartsWith(U("a$")));
    EXPECT_TRUE(s.EndsWith(U("(c)")));
    EXPECT_FALSE(CUnicodeString(u"c)").EndsWith(s));
}

TEST(UnicodeString, TrimmingUsesTheWhiteSpaceClass)
{
    const CUnicodeString padded(u"\u3000\u00A0\t x y\u2028\u202F\r\n");
    EXPECT_EQ(U("x y"), padded.Trimmed());
    CUnicodeString left(u"  x "), right(u"  x ");
    left.TrimLeft();
    right.TrimRight();
    EXPECT_EQ(U("x "), left);
    EXPECT_EQ(U("  x"), right);
    EXPECT_EQ(U("\u200Bx"), CUnicodeString(u"\u200Bx").Trimmed()); // zero-width space is no white space
}

TEST(UnicodeString, ComparisonIsByCodeUnitAndCaseFoldsOnlyAsciiLetters)
{
    struct Case {
        const char* a;
        const char* b;
        int exact;
        int noCase;
    } cases[] = {
        {"Main", "main", -1, 0}, {"MAIN", "main", -1, 0}, {"abc", "abd", -1, -1}, {"ab", "abc", -1, -1},
        {"[", "a", -1, -1},      {"_", "A", 1, -1},       {"Ä", "ä", -1, -1},     {"", "", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        EXPECT_EQ(c.exact, U(c.a).Compare(U(c.b)));
        EXPECT_EQ(c.noCase, U(c.a).CompareNoCase(U(c.b)));
        EXPECT_EQ(-c.noCase, U(c.b).CompareNoCase(U(c.a)));
    }
}

TEST(UnicodeString, Utf8RoundTripAndMalformedBytes)
{
    EXPECT_EQ("Größe €𝄞", U("Größe €𝄞").ToUtf8());
    // The first and last characters past the first plane: their surrogates stand at the edges.
    EXPECT_EQ("\U00010000\U0010FFFF", U("\U00010000\U0010FFFF").ToUtf8());
    EXPECT_EQ(2, U("𝄞").Length());
    struct Case {
        const char* bytes;
        const char16_t* expected;
    } cases[] = {
        {"\xC3", u"\uFFFD"},     {"\xC0\xAF", u"\uFFFD\uFFFD"}, {"\xED\xA0\x80", u"\uFFFD"},
        {"a\xF5z", u"a\uFFFDz"}, {"\xE2\x82", u"\uFFFD"},       {"\xE2(", u"\uFFFD("},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CUnicodeString(c.expected), U(c.bytes)) << c.bytes;
    const char16_t lone[] = {0xD800, u'x', 0};
    EXPECT_EQ("\xEF\xBF\xBDx", CUnicodeString(lone).ToUtf8());
}

TEST(UnicodeString, CopiesOnManyThreadsFreeTheBlockOnce)
{
    const CUnicodeString source = CUnicodeString::Repeat(u'q', 1000);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&source] {
            for (int i = 0; i < 20000; ++i) {
                CUnicodeString copy(source);
                CUnicodeString other = copy;
                if (other.Length() != 1000)
                    std::abort();
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(1, source.ShareCountForTesting());
}
