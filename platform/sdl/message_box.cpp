// SDL's message box, shown from a copy of the program in a process group of its own. In the
// run's own process the box would block it until someone pressed OK: on X11 SDL forks a child
// for the box and waits for it, and that child inherits the saver's stop-signal handlers, so
// neither a stop signal nor the screensaver daemon could end the run. The run waits for the
// copy only while the box is wanted, then ends the copy's whole group (SDL's child with it); a
// copy whose saver dies, however it died, ends its group itself.
#include "platform/message_box_helper.h"
#include "platform/native_message_box.h"

#include <SDL2/SDL.h>

#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

namespace tarnel::platform {

namespace {

constexpr const char* kBoxArgument = "--message-box";  // the copy's argv: program, this, caption, text
constexpr int kExecFailed = 127;                       // the copy's status when it could not start
constexpr int kWaitSliceMs = 10;                       // how often an open box asks whether it is wanted
constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Set by serveMessageBox once main() has offered this program as its own box copy.
bool& copiesServeBoxes() {
    static bool serve = false;
    return serve;
}

void showInThisProcess(const std::string& text, const std::string& caption) {
    // Fails at once, and harmlessly, where there is no display.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr);
}

// A stop signal, or the saver's death, in the copy or in SDL's child of it: the whole group
// goes, but only from the copy that leads its own group, never the saver's group.
extern "C" void endBoxGroup(int) {
    if (getpgrp() == getpid()) kill(0, SIGKILL);
    _exit(1);
}

// Between fork and exec: only calls that are safe in the child of a threaded process.
[[noreturn]] void startCopy(pid_t saver, char* const* argv) {
    setpgid(0, 0);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    for (int signal : kStopSignals) sigaction(signal, &byDefault, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    // SIGKILL, which the screensaver daemon sends a hack that does not end, cannot be caught
    // by the saver: the copy hears of its death instead.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() == saver) execv("/proc/self/exe", argv);
    _exit(kExecFailed);
}

// Whether the copy has ended, without reaping it: its process id, and so its group's, stays
// taken until the group has been ended.
bool copyEnded(pid_t copy) {
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(copy), &info, WEXITED | WNOHANG | WNOWAIT) != 0) return errno != EINTR;
    return info.si_pid == copy;
}

// Ends the copy's group and reaps it. While the run is the subreaper, what the copy started
// and left behind is the run's child and is reaped here too. Returns the copy's wait status.
int endCopyGroup(pid_t copy) {
    kill(-copy, SIGKILL);
    int copyStatus = 0;
    for (;;) {
        int status = 0;
        pid_t reaped = waitpid(-copy, &status, 0);
        if (reaped == copy) copyStatus = status;
        if (reaped < 0 && errno != EINTR) return copyStatus;
    }
}

// Returns false when no copy could be started.
bool showInCopy(const std::string& text, const std::string& caption) {
    std::string program = "tarnel", argument = kBoxArgument, title = caption, message = text;
    std::vector<char*> argv = {program.data(), argument.data(), title.data(), message.data(), nullptr};
    int wasSubreaper = 0;
    prctl(PR_GET_CHILD_SUBREAPER, &wasSubreaper);
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    const pid_t saver = getpid();
    const pid_t copy = fork();
    if (copy == 0) startCopy(saver, argv.data());
    int status = 0;
    if (copy > 0) {
        setpgid(copy, copy);  // the copy asks the same; whichever runs first makes the group
        while (!copyEnded(copy) && messageBoxWanted()) poll(nullptr, 0, kWaitSliceMs);
        status = endCopyGroup(copy);
    }
    if (!wasSubreaper) prctl(PR_SET_CHILD_SUBREAPER, 0);
    return copy > 0 && !(WIFEXITED(status) && WEXITSTATUS(status) == kExecFailed);
}

}  // namespace

std::optional<int> serveMessageBox(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], kBoxArgument) != 0) {
        copiesServeBoxes() = true;
        return std::nullopt;
    }
    if (argc != 4) return 2;
    prctl(PR_SET_NAME, "tarnel");  // started through /proc/self/exe, it would be listed as "exe"
    struct sigaction end {};
    end.sa_handler = endBoxGroup;
    for (int signal : kStopSignals) sigaction(signal, &end, nullptr);
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, argv[2], argv[3], nullptr) == 0 ? 0 : 1;
}

void showNativeMessageBox(const std::string& text, const std::string& caption) {
    if (copiesServeBoxes() && showInCopy(text, caption)) return;
    if (messageBoxWanted()) showInThisProcess(text, caption);
}

}  // namespace tarnel::platform
