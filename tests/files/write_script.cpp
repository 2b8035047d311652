// write_script PATH STEPS: writes a script of STEPS steps to PATH as Save does, as the editor
// runs (a file size limit is an error), and prints the failure or the notice. Exit status 0
// when written. The tests run it as another user and under limits.

#include "files/script_file.h"
#include "files/size_limit_signal.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    sw::reportFileSizeLimitAsError();
    if (argc != 3)
        return 2;
    sw::ScriptStore store;
    const int steps = std::atoi(argv[2]);
    for (int f = 0; f < sw::FlowCount; ++f) {
        auto& flow = store.flows[f];
        int slot = 0;
        flow[slot] = QStringLiteral("(Start)");
        for (int n = f; n < steps; n += sw::FlowCount, ++slot)
            flow[slot + 1] = QStringLiteral("BufferClear  //:(%1)").arg(slot + 1);
        flow[slot + 1] = QStringLiteral("(End)");
    }
    const sw::WriteResult written = sw::Write_Script_File(store, QFile::decodeName(argv[1]));
    std::fputs((written.error + written.notice).toUtf8().constData(), stdout);
    return written.error.isEmpty() ? 0 : 1;
}
