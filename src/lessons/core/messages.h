#pragma once
// The standard prompts that several windows share.

#include <QString>

namespace lessons {

inline const QString kSelectChordType = QStringLiteral("You must select a chord type");
inline const QString kPickRoot = QStringLiteral("You must pick a root note");
inline const QString kPickForm = QStringLiteral("You must pick a form");
inline const QString kNothingToPrint = QStringLiteral("Nothing to print");
inline const QString kCantPrint = QStringLiteral("The Chord can't be printed.");
// The error traps' one prompt, written as two texts joined.
inline const QString kUnexpectedError =
    QStringLiteral("An Unexpected Error has occurred, ") + QStringLiteral("Please try reinstalling software");

}  // namespace lessons
