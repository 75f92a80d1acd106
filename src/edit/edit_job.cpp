#include "edit/edit_job.h"

#include <utility>

namespace pelkit {

std::string needs16BitMessage(const EditSource& source) {
    const WaveFormat& f = source.header.format;
    const std::string kind =
        std::to_string(f.bitsPerSample) + "-bit" + (f.formatTag == kTagFloat ? " float" : "");
    return "This edit needs 16-bit sound; " + source.path + " is " + kind + ".";
}

bool EditJob::step() {
    if (finished()) return false;
    Slice slice = advance();
    if (result_.outcome == EditOutcome::Failed) {
        discard();
        return false;
    }
    if (slice == Slice::Complete) {
        if (result_.outcome == EditOutcome::Running) result_.outcome = EditOutcome::Done;
        return false;
    }
    return true;
}

const EditResult& EditJob::runToEnd() {
    while (step()) {
    }
    return result_;
}

void EditJob::cancel() {
    if (finished()) return;
    fail("edit cancelled.");
    discard();
}

namespace {

class RefusedJob : public EditJob {
  public:
    explicit RefusedJob(std::string message) { refuse(std::move(message)); }

  private:
    Slice advance() override { return Slice::Complete; }
    void discard() override {}
};

}  // namespace

std::unique_ptr<EditJob> makeRefusedJob(std::string message) {
    return std::make_unique<RefusedJob>(std::move(message));
}

void EditJob::refuse(std::string message) {
    result_.outcome = EditOutcome::Refused;
    result_.message = std::move(message);
}

void EditJob::fail(std::string message) {
    result_.outcome = EditOutcome::Failed;
    result_.message = std::move(message);
}

}  // namespace pelkit
