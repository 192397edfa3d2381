// Linked into a test program that needs port 111 or serves on fixed ports: before main, the process moves
// into a private network namespace of its own (in a user namespace, as unshare -rn does) with only its
// loopback up, so nothing it starts can touch the machine's ports or interfaces. A program that cannot
// get there stops at once rather than run on the machine's network.

#include <fcntl.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
bool WriteFile(const char* pszPath, const std::string& text)
{
    const int nFd = ::open(pszPath, O_WRONLY | O_CLOEXEC);
    if (nFd < 0)
        return false;
    const bool bWritten = ::write(nFd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(nFd);
    return bWritten;
}

void Fail(const char* pszStep)
{
    std::fprintf(stderr, "cannot enter a private network namespace (%s: %s); not running on the machine's\n",
                 pszStep, std::strerror(errno));
    std::exit(1);
}

bool EnterPrivateNetwork()
{
    const uid_t nUid = ::getuid();
    const gid_t nGid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0)
        Fail("unshare");
    if (!WriteFile("/proc/self/setgroups", "deny") ||
        !WriteFile("/proc/self/uid_map", "0 " + std::to_string(nUid) + " 1\n") ||
        !WriteFile("/proc/self/gid_map", "0 " + std::to_string(nGid) + " 1\n"))
        Fail("mapping the user");
    const int nSocket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq request{};
    std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    if (nSocket < 0 || ::ioctl(nSocket, SIOCGIFFLAGS, &request) != 0)
        Fail("reading the loopback");
    request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
    if (::ioctl(nSocket, SIOCSIFFLAGS, &request) != 0)
        Fail("bringing the loopback up");
    ::close(nSocket);
    return true;
}

[[maybe_unused]] const bool g_bInPrivateNetwork = EnterPrivateNetwork();
} // namespace
