#include "platform/core/FileProblem.h"

#include "platform/core/Dialogs.h"

namespace sorban::platform {
namespace {

class BoxSink final : public ProblemSink {
public:
    void report(const FileProblem& problem) override
    {
        for (const auto& box : problem.boxes)
            dialogs().messageBox(box.text, box.caption);
    }
};

} // namespace

ProblemSink& programSink()
{
    static BoxSink sink;
    return sink;
}

} // namespace sorban::platform
