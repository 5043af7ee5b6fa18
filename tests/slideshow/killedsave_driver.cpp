// One save of the settings file, for the test that kills saves part way:
// "killedsave_driver dialog|changer PATH ROUND" prepares the new content,
// says "ready", waits for a line on standard input and then saves once.
#include "killedsave.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[2]);
    const int round = std::atoi(argv[3]);
    // Read as the changer-only run reads it: an interrupted rewrite undone first.
    const QByteArray old = qelvo::settings::readSettingsFile(path).value_or(QByteArray());
    const QByteArray bytes = qstrcmp(argv[1], "dialog") == 0 ? qelvo::killedsave::dialogSave(round)
                                                             : qelvo::killedsave::changerRewrite(old, round);
    std::puts("ready");
    std::fflush(stdout);
    char go[8];
    if (!std::fgets(go, sizeof go, stdin))
        return 2;
    return qelvo::settings::writeSettingsFile(path, bytes).ok() ? 0 : 1;
}
