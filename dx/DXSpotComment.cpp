#include "dx/DXSpotComment.h"

#include <QStringView>
#include <array>

namespace {

using namespace Qt::StringLiterals;

// Whole comments that only thank the other station.
constexpr std::array<QStringView, 10> ThankYouComments = {
    u"73", u"73!", u"TNX", u"TNX!", u"TNX QSO", u"TNX QSO!", u"TNX QSO 73", u"TNX 73", u"TU", u"TU 73",
};

// Whole comments that are just a keyword: shown in capitals.
constexpr std::array<QStringView, 10> SingleKeywords = {
    u"CQ", u"CQ DX", u"CW", u"SSB", u"USB", u"LSB", u"RTTY", u"JT65", u"FT8", u"SES",
};

constexpr std::array<QStringView, 6> PSKModes = {
    u"BPSK31", u"PSK31", u"BPSK63", u"PSK63", u"BPSK125", u"PSK125",
};

// Pleasantries that say nothing about the station heard; the blanks are part of a phrase.
constexpr std::array<QStringView, 59> RemovedPhrases = {
    u"good contact", u"good dx", u"good luck", u"good qso", u" gl ", u" nice qso", u" fb qso",
    u" tnxqso", u" tnx4qso", u" tu4qso", u" ufb qso", u" for ", u" fer ", u" fr ", u" 4 ",
    u"contact", u"4qso", u"qso", u"atno", u" new call", u" new one", u" new band", u" new mode",
    u" new dxcc", u" new1", u" newone", u" mode", u"my friend", u"bingo", u"danke", u"ciao",
    u"gracias", u"grazie", u" mci ", u"merci", u" many ", u" mni ", u" mny ", u"regards",
    u"saludos", u" swl", u"thank you", u" thanks", u" thank ", u" the ", u" thx ", u" thnx ",
    u" thks ", u" thxs ", u" tks ", u" tnk ", u" tnks ", u" tnxnewone", u" txx ", u" tu ",
    u" t u ", u" tyvm ", u" tnx ", u" ultimas llamadas ",
};

struct TReplacement {
    QStringView From;
    QStringView To;
};

// Usual abbreviations in their usual spelling.
constexpr std::array<TReplacement, 28> Spellings = {{
    {u"cq", u"CQ"},           {u" dx ", u" DX "},       {u"qrm", u"QRM"},   {u"qro", u"QRO"},
    {u"qrp", u"QRP"},         {u"qrx", u"QRX"},         {u"qrv", u"QRV"},   {u"qsb", u"QSB"},
    {u"qsl", u"QSL"},         {u"qsx", u"QSX"},         {u"qsy", u"QSY"},   {u" cw ", u" CW "},
    {u"ssb", u"SSB"},         {u"usb", u"USB"},         {u"lsb", u"LSB"},   {u"rtty", u"RTTY"},
    {u"jt65", u"JT65"},       {u"jt-65", u"JT65"},      {u"jt65a", u"JT65"}, {u"ft8", u"FT8"},
    {u"ft-8", u"FT8"},        {u" - ", u" "},           {u"db ", u"dB "},   {u" 5/9 ", u" 59 "},
    {u" 5.9 ", u" 59 "},      {u" 5nn ", u" 599 "},     {u" s p ", u" SP "}, {u" l p ", u" LP "},
}};

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

QChar UpperAscii(QChar c)
{
    return c >= u'a' && c <= u'z' ? QChar(c.unicode() - 'a' + 'A') : c;
}

QString ToUpperAscii(QStringView s)
{
    QString r(s.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < s.size(); ++i)
        r[i] = UpperAscii(s[i]);
    return r;
}

// Blanks and control characters at either end go.
QString Trim(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b].unicode() <= ' ')
        ++b;
    while (e > b && s[e - 1].unicode() <= ' ')
        --e;
    return s.mid(b, e - b).toString();
}

bool MatchesAt(QStringView w, qsizetype pos, QStringView pattern)
{
    if (pos < 0 || pos + pattern.size() > w.size())
        return false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (UpperAscii(w[pos + i]) != UpperAscii(pattern[i]))
            return false;
    }
    return true;
}

qsizetype IndexOf(QStringView w, QStringView pattern, qsizetype from = 0)
{
    if (pattern.isEmpty())
        return -1;
    for (qsizetype i = from; i + pattern.size() <= w.size(); ++i) {
        if (MatchesAt(w, i, pattern))
            return i;
    }
    return -1;
}

bool Contains(QStringView w, QStringView pattern)
{
    return IndexOf(w, pattern) >= 0;
}

// Replaces every occurrence, left to right without overlaps, in any letter case.
bool Replace(QString& w, QStringView from, QStringView to)
{
    qsizetype hit = IndexOf(w, from);
    if (hit < 0)
        return false;
    QString out;
    out.reserve(w.size() + to.size());
    qsizetype done = 0;
    while (hit >= 0) {
        out.append(QStringView(w).mid(done, hit - done));
        out.append(to);
        done = hit + from.size();
        hit = IndexOf(w, from, done);
    }
    out.append(QStringView(w).mid(done));
    w = std::move(out);
    return true;
}

// Each pass at least halves the repetitions, so the loop stays linear overall.
void ReplaceWhile(QString& w, QStringView from, QStringView to)
{
    while (Replace(w, from, to)) {
    }
}

bool IsLeadingPunctuation(QChar c)
{
    return QStringView(u"#',./").contains(c);
}

bool IsTrailingPunctuation(QChar c)
{
    return QStringView(u"#'+,-./<").contains(c);
}

// Blanks and stray punctuation at the ends of the text.
QString StripEdgePunctuation(QStringView w)
{
    qsizetype b = 0;
    qsizetype e = w.size();
    const auto skipBlanks = [&] {
        while (b < e && w[b].unicode() <= ' ')
            ++b;
        while (e > b && w[e - 1].unicode() <= ' ')
            --e;
    };
    skipBlanks();
    while (b < e && IsLeadingPunctuation(w[b])) {
        ++b;
        skipBlanks();
    }
    skipBlanks();
    while (e > b && IsTrailingPunctuation(w[e - 1]))
        --e;
    return w.mid(b, e - b).toString();
}

// Keeps letters, digits, Latin-1 letters and a few signs; other printable characters become
// blanks, control characters and everything beyond Latin-1 go.
QString FilterCharacters(QStringView w)
{
    QString out;
    out.reserve(w.size());
    for (QChar c : w) {
        const char16_t u = c.unicode();
        const bool keep = u == ' ' || u == '#' || u == '\'' || (u >= '+' && u <= '/') || IsDigit(c) || u == '<'
                          || u == '>' || IsLetter(c) || (u >= 192 && u <= 255);
        if (keep)
            out.append(c);
        else if (u >= 32 && u <= 128)
            out.append(u' ');
    }
    return out;
}

// Runs of three or more dots shrink to two; a pair of dots not between two digits becomes
// blanks.
void CleanDots(QString& w)
{
    QString out;
    out.reserve(w.size());
    qsizetype i = 0;
    while (i < w.size()) {
        if (w[i] != u'.') {
            out.append(w[i++]);
            continue;
        }
        qsizetype run = 0;
        while (i < w.size() && w[i] == u'.') {
            ++run;
            ++i;
        }
        out.append(run >= 2 ? u".."_s : u"."_s);
    }
    for (qsizetype p = out.indexOf(u".."); p >= 0; p = out.indexOf(u"..", p + 2)) {
        const bool betweenDigits = p > 0 && IsDigit(out[p - 1]) && p + 2 < out.size() && IsDigit(out[p + 2]);
        if (!betweenDigits) {
            out[p] = u' ';
            out[p + 1] = u' ';
        }
    }
    w = std::move(out);
}

bool IsF(QChar c)
{
    return c == u'F' || c == u'f';
}

// The first award reference of letters, "FF" and a number gets the form "XXFF-0123".
void NormaliseReference(QString& w)
{
    if (!Contains(w, u"FF"))
        return;
    w = u" "_s + w + u"   "_s;
    qsizetype p = 0;
    for (; p + 4 < w.size(); ++p) {
        if (IsLetter(w[p]) && IsF(w[p + 1]) && IsF(w[p + 2]) && IsDigit(w[p + 4]))
            break;
    }
    if (p + 4 >= w.size())
        return;
    qsizetype start = p;
    while (start > 0 && IsLetter(w[start - 1]))
        --start;
    qsizetype dash = -1;
    const QChar sep = w[p + 3];
    if (sep == u' ') {
        w[p + 3] = u'-';
        dash = p + 3;
    } else if (IsDigit(sep)) {
        w.insert(p + 3, u'-');
        dash = p + 3;
    } else if (sep == u'-') {
        dash = p + 3;
    }
    if (dash >= 0) {
        qsizetype digits = 0;
        while (dash + 1 + digits < w.size() && IsDigit(w[dash + 1 + digits]))
            ++digits;
        if (digits == 3)
            w.insert(dash + 1, u'0');
    }
    for (qsizetype i = start; i <= p + 2; ++i)
        w[i] = UpperAscii(w[i]);
}

// Lower-case four-character locators between blanks are written in capitals.
void UpperCaseLocators(QString& w)
{
    w = u"  "_s + w + u"  "_s;
    for (qsizetype i = 0; i + 5 < w.size(); ++i) {
        const QChar a = w[i + 1];
        const QChar b = w[i + 2];
        if (w[i] == u' ' && a >= u'a' && a <= u'z' && b >= u'a' && b <= u'r' && IsDigit(w[i + 3])
            && IsDigit(w[i + 4]) && (w[i + 5] == u' ' || w[i + 5] == u'<') && a != u'u' && b != u'p') {
            w[i + 1] = UpperAscii(a);
            w[i + 2] = UpperAscii(b);
        }
    }
}

// A "73" greeting goes, with a following "'", "," or "/" and up to two "s"; a "73" that is
// part of a number or directly after two letters stays.
void RemoveGreetings(QString& w)
{
    w = u"  "_s + w + u"  "_s;
    Replace(w, u"vy 73", u"73");
    Replace(w, u"vy73", u"73");
    QString out;
    out.reserve(w.size());
    const qsizetype n = w.size();
    qsizetype i = 0;
    while (i < n) {
        if (w[i] == u'7' && i + 1 < n && w[i + 1] == u'3') {
            const bool digitBefore = !out.isEmpty() && IsDigit(out.back());
            const bool digitAfter = i + 2 < n && IsDigit(w[i + 2]);
            const bool afterLetters = out.size() >= 2 && IsLetter(out[out.size() - 2]) && IsLetter(out.back());
            if (!digitBefore && !digitAfter && !afterLetters) {
                out.append(u"  ");
                i += 2;
                if (i < n && (w[i] == u'\'' || w[i] == u',' || w[i] == u'/'))
                    ++i;
                for (int s = 0; s < 2 && i < n && (w[i] == u'S' || w[i] == u's'); ++s, ++i)
                    out.append(u' ');
                continue;
            }
        }
        out.append(w[i++]);
    }
    w = u" "_s + Trim(out) + u" "_s;
}

QString CollapseBlanks(QStringView w)
{
    QString out;
    out.reserve(w.size());
    for (QChar c : w) {
        if (c == u' ' && !out.isEmpty() && out.back() == u' ')
            continue;
        out.append(c);
    }
    return out;
}

template <size_t N>
bool IsOneOf(const QString& upper, const std::array<QStringView, N>& table)
{
    for (QStringView t : table) {
        if (upper == t)
            return true;
    }
    return false;
}

} // namespace

QString TDXSpotComment::DefineCleanComment(const QString& comment, const QString& spotter)
{
    // No spotter is treated specially: the lists of ignored and passed-through spotters are
    // empty in this program.
    Q_UNUSED(spotter);
    FIsAwardSpot = false;
    FIsUselessSpot = false;
    if (Trim(comment).isEmpty())
        return {};
    QString w = comment;

    if (IsOneOf(ToUpperAscii(w), ThankYouComments))
        return {};

    if (IsUselessSpot(comment))
        return comment;
    IsAwardSpot(comment);

    {
        const QString upper = ToUpperAscii(w);
        if (IsOneOf(upper, SingleKeywords))
            return upper;
        if (upper.contains(u"HTTP:") || upper.contains(u"WWW."))
            return {};
        if (upper.contains(u"PSK")) {
            Replace(w, u"psk 31", u"PSK31");
            Replace(w, u"psk-31", u"PSK31");
            Replace(w, u"psk 63", u"PSK63");
            Replace(w, u"psk-63", u"PSK63");
            Replace(w, u"psk 125", u"PSK125");
            Replace(w, u"psk-125", u"PSK125");
            const QString upperPSK = ToUpperAscii(w);
            for (QStringView mode : PSKModes) {
                if (upperPSK.contains(mode))
                    return mode.toString();
            }
        }
    }

    w = FilterCharacters(w);

    if (w.contains(u'<') && !w.contains(u'>'))
        w.replace(u'<', u' ');
    if (w.contains(u'>') && !w.contains(u'<'))
        w.replace(u'>', u' ');

    w = StripEdgePunctuation(w);

    w = u" "_s + Trim(w) + u"    "_s;
    CleanDots(w);

    ReplaceWhile(w, u"CQDX", u"CQ DX");
    ReplaceWhile(w, u"CQ DX CQ DX", u"CQ DX");
    ReplaceWhile(w, u"CQCQ", u"CQ");
    ReplaceWhile(w, u"CQ CQ", u"CQ");
    ReplaceWhile(w, u"UPUP", u" up ");

    w = u" "_s + w + u" "_s;
    for (QStringView phrase : RemovedPhrases)
        Replace(w, phrase, u" ");
    if (Trim(w).isEmpty())
        return {};

    NormaliseReference(w);
    UpperCaseLocators(w);
    RemoveGreetings(w);

    w = u" "_s + w + u" "_s;
    for (const TReplacement& r : Spellings)
        Replace(w, r.From, r.To);

    return Trim(StripEdgePunctuation(CollapseBlanks(w)));
}

bool TDXSpotComment::IsAwardSpot(const QString& comment)
{
    const QString upper = ToUpperAscii(comment);
    FIsAwardSpot = upper.contains(u"AWARD") || upper.contains(u"DIPLOM");
    return FIsAwardSpot;
}

bool TDXSpotComment::IsUselessSpot(const QString& comment)
{
    const QString upper = ToUpperAscii(comment);
    bool useless = upper.contains(u"PLEASE") || upper.contains(u"PSE ") || upper.contains(u"PLS ")
                   || upper.contains(u" PSE");
    if (!useless) {
        if (!comment.contains(u'?')) {
            useless = (u" "_s + upper + u" "_s).contains(u" NIL ") || upper.contains(u"NILL")
                      || upper.contains(u"NOTHING") || upper.contains(u"NO COPY") || upper.contains(u"NO PROP");
        } else {
            useless = upper.contains(u"ANY") || upper.contains(u"QRT") || upper.contains(u"QRV")
                      || upper.contains(u"QSY") || upper.contains(u"WHEN");
        }
    }
    FIsUselessSpot = useless;
    return FIsUselessSpot;
}
