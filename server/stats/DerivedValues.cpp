#include "DerivedValues.h"

#include <array>
#include <optional>

namespace statdesk::stats {
namespace {

using Value = std::optional<double>;

// Player fields.
enum P {
    pGames = 6,
    pMinutes,
    pFgm,
    pFga,
    pFgPct,
    pEfgPct,
    p2Pct,
    p3m,
    p3a,
    p3Pct,
    pFtm,
    pFta,
    pFtPct,
    pOreb,
    pDreb,
    pTreb,
    pAst,
    pPf,
    pDq,
    pStl,
    pTov,
    pBlk,
    pAvg,
    pPrfmGame,
    pPrfmMinute,
    pOldGame,
    pOldMinute,
    pPossession,
    pShotPct,
    p3ShotPct,
    pFouledPct,
    pTovPct,
    pPassPct,
    pOrebRating,
    pDrebRating,
    pTrebRating,
    pFoulPct,
    pStealPct,
    pBlockPct,
    pPoints,
    pPerGameFirst
};
constexpr int pPerMinuteFirst = 61;
// Season totals behind the per-game fields 46 to 60 and the per-minute fields 61 to 75.
constexpr std::array<int, 15> kPlayerPerGame = {pMinutes, pFgm,  pFga, p3m, p3a,  pFtm, pFta, pOreb,
                                                pDreb,    pTreb, pAst, pPf, pStl, pTov, pBlk};
constexpr std::array<int, 15> kPlayerPerMinute = {pFgm,  pFga, p3m, p3a,  pFtm, pFta, pOreb,  pDreb,
                                                  pTreb, pAst, pPf, pStl, pTov, pBlk, pPoints};

// Team fields; the "def" block mirrors the "off" block 19 fields later.
enum T {
    tGames = 5,
    tWins,
    tLosses,
    tWinPct,
    tHomeWins,
    tHomeLosses,
    tAwayWins,
    tAwayLosses,
    tNeutralWins,
    tNeutralLosses,
    tMinutes,
    tFgm,
    tFga,
    tFgPct,
    tEfgPct,
    t2Pct,
    t3m,
    t3a,
    t3Pct,
    tFtm,
    tFta,
    tFtPct,
    tOreb,
    tDreb,
    tTreb,
    tAst,
    tPf,
    tStl,
    tTov,
    tBlk
};
constexpr int kDefOffset = 19;
constexpr int tOffPointsPerGame = 54, tDefPointsPerGame = 55, tPointDifference = 56, tOffPoints = 57,
              tDefPoints = 58, tOffDq = 59, tDefDq = 60, tPerGameFirst = 61;
// Off totals behind the per-game pairs 61/62 to 87/88 (def total = off total + 19).
constexpr std::array<int, 14> kTeamPerGame = {tFgm,  tFga,  t3m,  t3a, tFtm, tFta, tOreb,
                                              tDreb, tTreb, tAst, tPf, tStl, tTov, tBlk};

double sentinel(Family family, int field) {
    if (family == Family::Players)
        return kPlayerMissing;
    return replyFields(family)[static_cast<size_t>(field)].type == FieldType::Real ? kTeamMissingReal
                                                                                   : kTeamMissingInteger;
}

class Row {
  public:
    explicit Row(StatRow& row) : m_row(row) {}
    Value get(int field) const {
        const double v = m_row.value[static_cast<size_t>(field)];
        if (isMissingValue(m_row.family, field, v))
            return std::nullopt;
        return v;
    }
    void set(int field, Value v) {
        m_row.value[static_cast<size_t>(field)] = v ? *v : sentinel(m_row.family, field);
    }

  private:
    StatRow& m_row;
};

Value operator+(Value a, Value b) {
    return a && b ? Value(*a + *b) : std::nullopt;
}
Value operator-(Value a, Value b) {
    return a && b ? Value(*a - *b) : std::nullopt;
}
Value operator*(Value a, double k) {
    return a ? Value(*a * k) : std::nullopt;
}
Value ratio(Value a, Value b) {
    return a && b && *b != 0 ? Value(*a / *b) : std::nullopt;
}
Value percent(Value a, Value b) {
    return ratio(a, b) * 100.0;
}

// A total the sources may leave out although its parts are there.
void fillSum(Row& r, int total, Value sum) {
    if (!r.get(total) && sum)
        r.set(total, sum);
}

// Made shots of a row: 2 per field goal, 1 more per three-pointer when that era had them, 1 per free throw.
Value pointsFrom(Value fgm, Value threes, Value ftm) {
    return fgm && ftm ? Value(*fgm * 2 + threes.value_or(0) + *ftm) : std::nullopt;
}

void computePlayer(Row& r) {
    fillSum(r, pTreb, r.get(pOreb) + r.get(pDreb));
    fillSum(r, pPoints, pointsFrom(r.get(pFgm), r.get(p3m), r.get(pFtm)));

    const Value g = r.get(pGames), min = r.get(pMinutes), fgm = r.get(pFgm), fga = r.get(pFga);
    const Value tpm = r.get(p3m), tpa = r.get(p3a), ftm = r.get(pFtm), fta = r.get(pFta);
    const Value reb = r.get(pTreb), ast = r.get(pAst), pf = r.get(pPf), pts = r.get(pPoints);

    r.set(pFgPct, percent(fgm, fga));
    r.set(pEfgPct, percent(fgm + tpm * 0.5, fga));
    r.set(p2Pct, percent(fgm - tpm, fga - tpa));
    r.set(p3Pct, percent(tpm, tpa));
    r.set(pFtPct, percent(ftm, fta));
    r.set(pAvg, ratio(pts, g));

    const Value old = pts + reb + ast - (fga - fgm) - (fta - ftm) - pf;
    const Value perf = old + r.get(pStl) + r.get(pBlk) - r.get(pTov);
    r.set(pPrfmGame, ratio(perf, g));
    r.set(pPrfmMinute, ratio(perf, min));
    r.set(pOldGame, ratio(old, g));
    r.set(pOldMinute, ratio(old, min));

    // Passes, times fouled and the opponents' shots while on court are recorded by no source.
    for (int f : {pPossession, pShotPct, p3ShotPct, pFouledPct, pTovPct, pPassPct, pBlockPct})
        r.set(f, std::nullopt);

    r.set(pOrebRating, ratio(r.get(pOreb), min) * (48.0 * 3));
    r.set(pDrebRating, ratio(r.get(pDreb), min) * (48.0 * 2));
    r.set(pTrebRating, ratio(reb, min) * 48.0);
    r.set(pFoulPct, ratio(pf, min) * 100.0);
    r.set(pStealPct, ratio(r.get(pStl), min) * 100.0);

    for (size_t i = 0; i < kPlayerPerGame.size(); ++i)
        r.set(pPerGameFirst + static_cast<int>(i), ratio(r.get(kPlayerPerGame[i]), g));
    for (size_t i = 0; i < kPlayerPerMinute.size(); ++i)
        r.set(pPerMinuteFirst + static_cast<int>(i), ratio(r.get(kPlayerPerMinute[i]), min));
}

void computeTeamShooting(Row& r, int offset) {
    const Value fgm = r.get(tFgm + offset), fga = r.get(tFga + offset);
    const Value tpm = r.get(t3m + offset), tpa = r.get(t3a + offset);
    fillSum(r, tTreb + offset, r.get(tOreb + offset) + r.get(tDreb + offset));
    r.set(tFgPct + offset, percent(fgm, fga));
    r.set(tEfgPct + offset, percent(fgm + tpm * 0.5, fga));
    r.set(t2Pct + offset, percent(fgm - tpm, fga - tpa));
    r.set(t3Pct + offset, percent(tpm, tpa));
    r.set(tFtPct + offset, percent(r.get(tFtm + offset), r.get(tFta + offset)));
}

void computeTeam(Row& r) {
    computeTeamShooting(r, 0);
    computeTeamShooting(r, kDefOffset);
    fillSum(r, tOffPoints, pointsFrom(r.get(tFgm), r.get(t3m), r.get(tFtm)));
    fillSum(r, tDefPoints,
            pointsFrom(r.get(tFgm + kDefOffset), r.get(t3m + kDefOffset), r.get(tFtm + kDefOffset)));

    const Value g = r.get(tGames);
    r.set(tWinPct, ratio(r.get(tWins), r.get(tWins) + r.get(tLosses)));
    const Value off = ratio(r.get(tOffPoints), g), def = ratio(r.get(tDefPoints), g);
    r.set(tOffPointsPerGame, off);
    r.set(tDefPointsPerGame, def);
    // This field has no missing marker; 0 is the honest "no difference known".
    r.set(tPointDifference, Value((off - def).value_or(0.0)));

    for (size_t i = 0; i < kTeamPerGame.size(); ++i) {
        const int field = tPerGameFirst + 2 * static_cast<int>(i);
        r.set(field, ratio(r.get(kTeamPerGame[i]), g));
        r.set(field + 1, ratio(r.get(kTeamPerGame[i] + kDefOffset), g));
    }
}

} // namespace

StatRow makeEmptyRow(Family family) {
    const int n = fieldCount(family);
    StatRow row{family, std::vector<std::string>(static_cast<size_t>(n)), {}};
    row.value.reserve(static_cast<size_t>(n));
    for (int f = 0; f < n; ++f)
        row.value.push_back(sentinel(family, f));
    return row;
}

bool isCountingField(Family family, int field) {
    if (family == Family::Players) {
        switch (field) {
        case pGames:
        case pMinutes:
        case pFgm:
        case pFga:
        case p3m:
        case p3a:
        case pFtm:
        case pFta:
        case pOreb:
        case pDreb:
        case pTreb:
        case pAst:
        case pPf:
        case pDq:
        case pStl:
        case pTov:
        case pBlk:
        case pPoints:
            return true;
        default:
            return false;
        }
    }
    if (field >= tGames && field <= tMinutes)
        return field != tWinPct;
    for (int offset : {0, kDefOffset}) {
        switch (field - offset) {
        case tFgm:
        case tFga:
        case t3m:
        case t3a:
        case tFtm:
        case tFta:
        case tOreb:
        case tDreb:
        case tTreb:
        case tAst:
        case tPf:
        case tStl:
        case tTov:
        case tBlk:
            return true;
        default:
            break;
        }
    }
    return field == tOffPoints || field == tDefPoints || field == tOffDq || field == tDefDq;
}

void computeDerived(StatRow& row) {
    Row r(row);
    if (row.family == Family::Players)
        computePlayer(r);
    else
        computeTeam(r);
}

} // namespace statdesk::stats
