// The real program, started unattended by the tests: every message box is printed to
// standard error and answered as a hurried user would (OK, Yes, Cancel), and every
// window that loads or unloads is traced there too.
#include "app/Program.h"
#include "core/Prompter.h"

#include <QString>

#include <cstdio>

namespace {

class PrintingPrompter : public Prompter {
public:
    MsgAnswer ask(const Message& message) override
    {
        std::fprintf(stderr, "message: %s | %s\n", message.title.c_str(), message.text.c_str());
        std::fflush(stderr);
        switch (message.buttons) {
        case MsgButtons::Ok:
        case MsgButtons::OkCancel:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
            return MsgAnswer::Yes;
        case MsgButtons::RetryCancel:
            return MsgAnswer::Cancel;
        }
        return MsgAnswer::Ok;
    }
};

} // namespace

int main(int argc, char** argv)
{
    PrintingPrompter prompter;
    return Program::run(argc, argv, prompter, [](const QString& line) {
        std::fprintf(stderr, "%s\n", qPrintable(line));
        std::fflush(stderr);
    });
}
