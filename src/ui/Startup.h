// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QLockFile>

class QCoreApplication;

namespace quorin {

// Qt's own Chinese texts for its standard buttons and dialogs (确定, 取消, 是,
// 否), whatever the user's locale: the program is always Chinese.
void useChineseInterface(QCoreApplication &app);

// The fonts the form asks for by name, with the Debian fonts standing in for
// those a Linux desktop lacks.
void useProgramFonts();

// The program's own icon: the desktop theme's where it is installed, else the
// copy built into the program.
void useProgramIcon();

// Ends the program at once: open files are closed, nothing else runs.
[[noreturn]] void endAtOnce(int status);

// Keeps a second copy of the program from starting while this one runs. The
// lock belongs to a live process: one left by a copy that crashed is taken over.
class SingleCopy final {
public:
    SingleCopy();
    bool isOnlyCopy();
    // Lets the next copy start: the program ends without unwinding, so the
    // lock goes before it does.
    void release() { lock_.unlock(); }

private:
    QLockFile lock_;
};

} // namespace quorin
