#include "options/startupregistration.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace startup {

QString autostartFolder()
{
    // A relative XDG_CONFIG_HOME counts as unset, as desktops treat it.
    QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart");
}

int shellErrorFromErrno(int errnum)
{
    switch (errnum) {
    case ENOENT:
        return 2;
    case ENOTDIR:
        return 3;
    case EACCES:
    case EPERM:
        return 5;
    case ENOMEM:
        return 8;
    case ENOEXEC:
        return 11;
    default:
        return 1; // has no text of its own
    }
}

QString errorInfoText(int Nr)
{
    switch (Nr) {
    case 0:
        return QStringLiteral("Operationssystemet er løbet tør for hukommelse eller resourcer.");
    case 2:
        return QStringLiteral("Den specificerede fil blev ikke fundet.");
    case 3:
        return QStringLiteral("Stien blev ikke fundet.");
    case 5:
        return QStringLiteral("Operationssystemet forbød adgang til filen.");
    case 8:
        return QStringLiteral("Der var ikke hukommelse nok til at fuldføre operationen.");
    case 11:
        return QStringLiteral("Invalid exe fil (non-Microsoft Win32 .exe eller fejl i .exe image).");
    case 26:
        return QStringLiteral("Der opstod en \"sharing violation\".");
    case 27:
        return QStringLiteral("Filnavnsassociatonen er ukomplet eller invalid");
    case 28:
        return QStringLiteral("\"DDE transaction\" kunne ikke udføres fordi \"the request timed out\".");
    case 29:
        return QStringLiteral("\"DDE transaction\" mislykkedes.");
    case 30:
        return QStringLiteral("Den \"Dynamic Data Exchange (DDE) transaction\" kunne ikke fuldføres\r"
                              "fordi andre \"DDE transactions\" skulle udføres.");
    case 31:
        return QStringLiteral("Der er ikke associeret noget program til givne filefternavn.\r"
                              "Der er muligvist valgt: For redigering.\r"
                              "Der skal muligvist vælges: For kørsel.");
    case 32:
        return QStringLiteral("Det specificerede \"dynamic-link library (DLL)\" blev ikke fundet.");
    default:
        return QStringLiteral("Meningsløs operation eller ukendt fejl.");
    }
}

ScriptLauncher::~ScriptLauncher()
{
    reapFinished();
}

int ScriptLauncher::start(const QString &script, const QStringList &arguments)
{
    reapFinished();
    // The shell would start and only then find that it can't read the script: ask first, so
    // that the user is told why.
    const QByteArray scriptPath = QFile::encodeName(script);
    const int probe = ::open(scriptPath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (probe < 0)
        return errno;
    ::close(probe);

    std::vector<QByteArray> encoded{QByteArrayLiteral("sh"), scriptPath};
    for (const QString &argument : arguments)
        encoded.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    for (QByteArray &a : encoded)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    const int result = posix_spawn(&pid, "/bin/sh", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0)
        return result;
    m_running.push_back(pid);
    return 0;
}

void ScriptLauncher::reapFinished()
{
    std::vector<pid_t> still;
    for (pid_t pid : m_running) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == 0)
            still.push_back(pid);
    }
    m_running.swap(still);
}

} // namespace startup
