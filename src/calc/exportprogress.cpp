#include "calc/exportprogress.h"

namespace {

constexpr int ShowAfterMs = 500;
// Each update of a shown dialog lets the window system run, which costs more than writing a
// computation: updates come no more often than this.
constexpr qint64 UpdateEveryMs = 25;

} // namespace

ExportProgressDialog::ExportProgressDialog(const QString& text, const QString& title, QWidget* parent)
    : dialog_(text, QProgressDialog::tr("Cancel"), 0, 0, parent)
{
    dialog_.setWindowTitle(title);
    // While it shows, the main window takes no input: the list being written stays as it is.
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(ShowAfterMs);
}

ExportProgress ExportProgressDialog::callback()
{
    return [this](int done, int total) { return report(done, total); };
}

bool ExportProgressDialog::report(int done, int total)
{
    if (done == 0) {
        dialog_.setMaximum(total);
        dialog_.setValue(0);
        sinceUpdate_.start();
    } else if (done == total || sinceUpdate_.elapsed() >= UpdateEveryMs) {
        dialog_.setValue(done);
        sinceUpdate_.restart();
    }
    return !dialog_.wasCanceled();
}
