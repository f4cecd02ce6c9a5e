#pragma once
// Cleaning of the free comment of a DX spot: a short, normalised text for the spot list and
// band map, and two findings about it: the comment is about an award, or it is a request or
// complaint rather than a report (such spots are drawn grey).
//
// Letter case is compared in ASCII, so the result does not depend on the locale. Every step
// works in a single pass (or a few passes that at least halve what they work on), so a long
// or hostile comment costs time in proportion to its length.

#include <QString>

class TDXSpotComment {
public:
    // Sets both findings and returns the clean comment.
    QString DefineCleanComment(const QString& comment, const QString& spotter);

    // "AWARD" or "DIPLOM" in the comment; stores the result.
    bool IsAwardSpot(const QString& comment);
    // A request or complaint ("PSE ", "NIL", "QRV?" ...); stores the result.
    bool IsUselessSpot(const QString& comment);

    // The findings of the last call (false when it ended early).
    bool IsAwardSpot() const { return FIsAwardSpot; }
    bool IsUselessSpot() const { return FIsUselessSpot; }

private:
    bool FIsAwardSpot = false;
    bool FIsUselessSpot = false;
};
