#pragma once

#include <QString>

// Each running copy of the program marks the data folder it works on, for as long as it runs,
// with a shared lock on a hidden file there. What replaces the data wholesale (a restore) first
// makes sure no other copy is marked: another copy would go on showing the data of before and
// could write them back over what was just put in place.
namespace almavest::app {

inline constexpr const char *kPresenceFileName = ".almavest_in_uso";

class FolderPresence final
{
public:
    // Marks `folder`, waiting while another copy holds it alone (a copy that starts during a
    // restore opens on the restored data, not on half of them). A folder that takes no file
    // cannot be marked, and nothing can be restored into it either.
    explicit FolderPresence(QString folder);
    ~FolderPresence();
    FolderPresence(const FolderPresence &) = delete;
    FolderPresence &operator=(const FolderPresence &) = delete;

    // True, holding the folder alone until endAlone(), when no other copy marks it; false, with
    // the folder still marked as before, when another copy does. True as well when the mark
    // cannot be made at all, since no other copy can have made it either.
    [[nodiscard]] bool beginAlone();
    // Back to an ordinary mark, so that other copies may start again.
    void endAlone();

private:
    bool open();
    bool lock(bool alone, bool wait);

    QString m_folder;
#ifdef Q_OS_WIN
    void unlock();
    void *m_handle = nullptr;
#else
    int m_descriptor = -1;
    // Locks of the open file rather than of the process, where the system has them.
    bool m_openFileLocks = true;
#endif
};

// Holds a folder alone for its lifetime when it can.
class AloneInFolder final
{
public:
    explicit AloneInFolder(FolderPresence &presence)
        : m_presence(presence)
        , m_alone(presence.beginAlone())
    { }
    ~AloneInFolder()
    {
        if (m_alone)
            m_presence.endAlone();
    }
    AloneInFolder(const AloneInFolder &) = delete;
    AloneInFolder &operator=(const AloneInFolder &) = delete;

    bool alone() const { return m_alone; }

private:
    FolderPresence &m_presence;
    bool m_alone;
};

} // namespace almavest::app
