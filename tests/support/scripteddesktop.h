#pragma once

#include "calc/desktop.h"

#include <QStringList>

// Starts no program: keeps the files handed to it, and answers as if a program had opened
// them, or, with canOpen false, as a desktop without one for their type.
class ScriptedDesktop final : public Desktop
{
public:
    bool open(const QString& path) override
    {
        opened << path;
        return canOpen;
    }

    QStringList opened;
    bool canOpen = true;
};
