#include "dx/DXSpotComment.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

struct TCleanCase {
    const char* Comment;
    const char* Clean;
    bool Useless;
    bool Award;
};

void PrintTo(const TCleanCase& c, std::ostream* os)
{
    *os << '"' << c.Comment << '"';
}

class CleanComment : public ::testing::TestWithParam<TCleanCase> {};

TEST_P(CleanComment, GivesCleanTextAndFindings)
{
    const TCleanCase& c = GetParam();
    TDXSpotComment cleaner;
    EXPECT_EQ(cleaner.DefineCleanComment(QString::fromUtf8(c.Comment), QStringLiteral("DL1ABC")).toStdString(),
              c.Clean);
    EXPECT_EQ(cleaner.IsUselessSpot(), c.Useless);
    EXPECT_EQ(cleaner.IsAwardSpot(), c.Award);
}

INSTANTIATE_TEST_SUITE_P(Steps, CleanComment, ::testing::Values(
    // Blank, thank-you and keyword comments.
    TCleanCase{"", "", false, false},
    TCleanCase{"    ", "", false, false},
    TCleanCase{"tnx QSO", "", false, false},
    TCleanCase{"TU 73", "", false, false},
    TCleanCase{"ssb", "SSB", false, false},
    TCleanCase{"cq dx", "CQ DX", false, false},
    // Requests and complaints come back unchanged.
    TCleanCase{"PSE QSL", "PSE QSL", true, false},
    TCleanCase{"pls qrz", "pls qrz", true, false},
    TCleanCase{" NIL ", " NIL ", true, false},
    TCleanCase{"no prop here", "no prop here", true, false},
    TCleanCase{"QRV?", "QRV?", true, false},
    TCleanCase{"QRV", "QRV", false, false},
    TCleanCase{"nil?", "nil", false, false},
    TCleanCase{"when qrt?", "when qrt?", true, false},
    // Web addresses.
    TCleanCase{"see www.example.com", "", false, false},
    TCleanCase{"http://x.y/z", "", false, false},
    // PSK mode names.
    TCleanCase{"cq psk 31 up 1", "PSK31", false, false},
    TCleanCase{"nice psk-125 sig", "PSK125", false, false},
    TCleanCase{"worked bpsk63 ok", "BPSK63", false, false},
    // Characters, brackets and edge punctuation.
    TCleanCase{"big*sig", "big sig", false, false},
    TCleanCase{"a\x01" "b", "ab", false, false},
    TCleanCase{"caf\xC3\xA9 \xE2\x82\xAC" "x", "caf\xC3\xA9 x", false, false},
    TCleanCase{"<JO62 up", "JO62 up", false, false},
    TCleanCase{"..,/ big sig ...", "big sig", false, false},
    // Dots.
    TCleanCase{"qrv..... 14025", "QRV 14025", false, false},
    TCleanCase{"599...579", "599..579", false, false},
    // Repeated CQ and UP.
    TCleanCase{"cqcqcq dx", "CQ DX", false, false},
    TCleanCase{"CQDX CQDX CQDX", "CQ DX", false, false},
    TCleanCase{"cq cq cq", "CQ", false, false},
    TCleanCase{"upup 5", "up 5", false, false},
    // Pleasantries.
    TCleanCase{"good luck", "", false, false},
    TCleanCase{"tnx fer qso", "", false, false},
    TCleanCase{"big sig tnx qso", "big sig", false, false},
    // Award references.
    TCleanCase{"DLFF 123", "DLFF-0123", false, false},
    TCleanCase{"dlff123 activation", "DLFF-0123 activation", false, false},
    TCleanCase{"ONFF-123", "ONFF-0123", false, false},
    TCleanCase{"spff 0045 portable", "SPFF-0045 portable", false, false},
    // Locators.
    TCleanCase{" jo62 ", "JO62", false, false},
    TCleanCase{"loc jo62 es", "loc JO62 es", false, false},
    TCleanCase{"ux12 x", "ux12 x", false, false},
    TCleanCase{"ap12 x", "ap12 x", false, false},
    // Greetings.
    TCleanCase{"vy 73", "", false, false},
    TCleanCase{"hrd 73's", "hrd", false, false},
    TCleanCase{"op DL73 here", "op DL73 here", false, false},
    TCleanCase{"1730 z", "1730 z", false, false},
    // Usual spellings.
    TCleanCase{" 5nn ", "599", false, false},
    TCleanCase{"5/9 qsb", "59 QSB", false, false},
    TCleanCase{"jt65a -10db ", "JT65 -10dB", false, false},
    TCleanCase{"ft-8 s p", "FT8 SP", false, false},
    TCleanCase{"a - b", "a b", false, false},
    // Award comments are cleaned as well.
    TCleanCase{"wkd for award", "wkd award", false, true},
    TCleanCase{"DIPLOMA tnx", "DIPLOMA", false, true}));

TEST(CleanComment, FindingsOfOneCallDoNotLeakIntoTheNext)
{
    TDXSpotComment cleaner;
    cleaner.DefineCleanComment(QStringLiteral("award pse"), {});
    EXPECT_TRUE(cleaner.IsUselessSpot());
    cleaner.DefineCleanComment(QStringLiteral("   "), {});
    EXPECT_FALSE(cleaner.IsUselessSpot());
    EXPECT_FALSE(cleaner.IsAwardSpot());
}

// Hostile comments: long, made of control characters, 8-bit bytes or only punctuation.
TEST(CleanComment, LongAndBinaryCommentsAreCleanedSafely)
{
    TDXSpotComment cleaner;
    QRandomGenerator rng(4711);
    QString binary;
    for (int i = 0; i < 10000; ++i)
        binary.append(QChar(char16_t(rng.bounded(0, 256))));
    const QString clean = cleaner.DefineCleanComment(binary, {});
    for (QChar c : clean)
        EXPECT_TRUE(c.unicode() >= 32 && c.unicode() <= 255) << int(c.unicode());

    EXPECT_EQ(cleaner.DefineCleanComment(QString(10000, u'.'), {}), QString());
    EXPECT_EQ(cleaner.DefineCleanComment(QString(10000, u'\x07'), {}), QString());
    EXPECT_EQ(cleaner.DefineCleanComment(QString(10000, u'!'), {}), QString());
    EXPECT_EQ(cleaner.DefineCleanComment(QStringLiteral("!?;:()").repeated(1500), {}), QString());
    // Signs the cleaner keeps stay, with their blanks collapsed.
    const QString signs = cleaner.DefineCleanComment(QStringLiteral(".,#/'-+<").repeated(1250), {});
    EXPECT_LT(signs.size(), 10000);
    EXPECT_FALSE(signs.contains(QStringLiteral("  ")));
    EXPECT_FALSE(signs.contains(u'<'));

    const QString repeated = cleaner.DefineCleanComment(QStringLiteral("CQ ").repeated(3000) + QStringLiteral("upup"), {});
    EXPECT_EQ(repeated, QStringLiteral("CQ up"));
    const QString greetings = cleaner.DefineCleanComment(QStringLiteral("73's,").repeated(2000), {});
    EXPECT_EQ(greetings, QString());
    const QString longText = cleaner.DefineCleanComment(QStringLiteral("big sig ").repeated(1250), {});
    EXPECT_TRUE(longText.startsWith(QStringLiteral("big sig big")));
    EXPECT_FALSE(longText.contains(QStringLiteral("  ")));
}

} // namespace
