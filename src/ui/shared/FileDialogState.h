#pragma once

#include <QString>

namespace orvane
{

// The shared file dialog of the main window. Its file name is the current project file: empty
// for a new layout, a folder followed by "*.*" after start-up, a real path after Open or Save.
// Every other user of the dialog borrows it through a Guard, so the project name and the
// project filter come back on every way out of that use.
class FileDialogState
{
public:
    QString fileName;
    QString filter;
    bool operator==(const FileDialogState &) const = default;

    class Guard
    {
    public:
        explicit Guard(FileDialogState &state)
            : state_(state), fileName_(state.fileName), filter_(state.filter)
        {
        }
        ~Guard()
        {
            state_.fileName = fileName_;
            state_.filter = filter_;
        }
        Guard(const Guard &) = delete;
        Guard &operator=(const Guard &) = delete;

    private:
        FileDialogState &state_;
        QString fileName_;
        QString filter_;
    };
};

} // namespace orvane
