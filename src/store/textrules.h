#pragma once

#include <QList>
#include <QString>

// What the texts of the library may hold beyond what their columns take. Names (of catalogs,
// formulas, functions, parameters and variables) are read on one line and compared by eye, so
// they hold nothing invisible; names and descriptions are kept to lengths far beyond what an
// engineer writes, since a window lays out every character it shows.
namespace TextRules {

constexpr int MaxNameLength = 100;
constexpr int MaxDescriptionLength = 4000;

enum class NameProblem {
    None,
    Unprintable, // a control character (line break, tab, NUL…), a line separator or a blank other than the space
    TooLong,     // more than MaxNameLength characters
};

NameProblem checkName(const QString& name);
bool descriptionTooLong(const QString& description);

// Appends to a command's problems the one of unprintable and tooLong that name has, if any.
template<typename Problem>
void appendNameProblem(QList<Problem>& problems, const QString& name, Problem unprintable, Problem tooLong)
{
    switch (checkName(name)) {
    case NameProblem::Unprintable: problems << unprintable; break;
    case NameProblem::TooLong: problems << tooLong; break;
    case NameProblem::None: break;
    }
}

// Appends to a variable's or a parameter's problems what is wrong with its name and its
// description, if anything.
template<typename Problem>
void appendNameAndDescriptionProblems(QList<Problem>& problems, const QString& name, const QString& description)
{
    appendNameProblem(problems, name, Problem::UnprintableName, Problem::NameTooLong);
    if (descriptionTooLong(description))
        problems << Problem::DescriptionTooLong;
}

// The text with its control characters and line separators written as escapes (\n, \t, \x01,
// \u2028), so that it stays on the one line or cell a line-by-line output gives it.
QString oneLine(const QString& text);

// The text as a window shows it: whole up to MaxDescriptionLength characters, cut there with
// "…" beyond. Only a library made by hand holds longer texts, and laying out a text of
// megabytes holds a window up for minutes.
QString shown(const QString& text);

} // namespace TextRules
