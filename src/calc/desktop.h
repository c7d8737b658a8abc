#pragma once

#include <QString>

// Hands a file to the desktop, which opens it in the program the user has for its type. Tests
// put in one that starts no program.
class Desktop
{
public:
    virtual ~Desktop() = default;
    // False when no program could be started for the file.
    virtual bool open(const QString& path) = 0;
};

// The real thing: the desktop's own file associations.
class SystemDesktop final : public Desktop
{
public:
    bool open(const QString& path) override;
};
