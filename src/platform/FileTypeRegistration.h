#pragma once

#include <QString>

namespace orvane
{

// Tells the desktop that project files open with this program. Done once, on the first run;
// it reports success but never stops the program from starting.
class FileTypeRegistration
{
public:
    virtual ~FileTypeRegistration() = default;
    virtual bool registerFileType(const QString &extension) = 0;
};

} // namespace orvane
