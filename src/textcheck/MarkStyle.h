#pragma once

#include "textcheck/TextCheck.h"

#include <QString>
#include <QTextCharFormat>

#include <array>

namespace sorban::textcheck {

/// The four kinds in the legend's order.
inline constexpr std::array<MarkKind, 4> Kinds = {MarkKind::NotEducation, MarkKind::NewKanji, MarkKind::NewReading, MarkKind::Unknown};

/// How a marked kanji looks: a colour of its own and an underline style of its own, so that the
/// kinds stay apart on a black-and-white printout.
QTextCharFormat markFormat(MarkKind kind);
/// The legend's words for the kind, with the look of its underline named.
QString legendText(MarkKind kind);

} // namespace sorban::textcheck
