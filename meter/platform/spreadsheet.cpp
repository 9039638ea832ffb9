#include "platform/spreadsheet.h"

#include "platform/file_replacement.h"
#include "platform/log.h"

#include <QDir>
#include <QFile>

#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <locale.h>
#include <unistd.h>

namespace meter {

namespace {

// libxlsxwriter prints numbers with the C library's formatting, which follows
// the user's decimal separator once the program has taken the user's locale:
// while it works, the calling thread formats as in the "C" locale.
class CFormatting {
public:
    CFormatting() : previous_(::uselocale(cLocale())) {}
    ~CFormatting() { ::uselocale(previous_); }
    CFormatting(const CFormatting&) = delete;
    CFormatting& operator=(const CFormatting&) = delete;

private:
    static locale_t cLocale() {
        static const locale_t c = ::newlocale(LC_ALL_MASK, "C", locale_t{});
        return c;
    }
    locale_t previous_;
};

constexpr int maxRows = 1048576;
constexpr int maxColumns = 16384;

// One workbook with its sheet "Sheet1", written in libxlsxwriter's
// constant-memory mode: a row goes to a scratch file as soon as a later row is
// begun. The library takes the workbook's file name when the workbook is made,
// long before the name to save under is known, and opens that name only when
// it writes the workbook. So the name given is the /proc name of a descriptor
// of our own; on saving, the file that receives the workbook is put under that
// descriptor. No file or folder of ours carries a name meanwhile, so a crash
// leaves nothing behind.
class XlsxWorkbook final : public Workbook, public std::enable_shared_from_this<XlsxWorkbook> {
public:
    static std::shared_ptr<XlsxWorkbook> create(const std::string& tempFolder) {
        auto book = std::shared_ptr<XlsxWorkbook>(new XlsxWorkbook(tempFolder));
        return book->book_ != nullptr ? book : nullptr;
    }

    ~XlsxWorkbook() override {
        discard();
        if (outputFd_ >= 0) ::close(outputFd_);
    }

    // Drops the workbook unsaved; every later call on it fails.
    void discard() {
        if (book_ == nullptr) return;
        // The library leaves the scratch file open when a workbook is freed
        // instead of written.
        if (sheet_->optimize_tmpfile != nullptr) std::fclose(sheet_->optimize_tmpfile);
        sheet_->optimize_tmpfile = nullptr;
        sheet_->file = nullptr;
        lxw_workbook_free(book_);
        book_ = nullptr;
        sheet_ = nullptr;
    }

    std::shared_ptr<Worksheet> Worksheets(const QString& name) override {
        if (book_ == nullptr) {
            closed("Worksheets");
            return nullptr;
        }
        if (name.compare(QLatin1String(sheetName), Qt::CaseInsensitive) != 0) {
            qCWarning(platformLog, "The workbook has no sheet \"%s\"", qUtf8Printable(name));
            return nullptr;
        }
        // The sheet lives in the workbook: holding it holds the workbook.
        return std::shared_ptr<Worksheet>(shared_from_this(), &sheet1_);
    }

private:
    static constexpr const char* sheetName = "Sheet1";

    // A call on a workbook that was saved or dropped.
    static bool closed(const char* call) {
        qCWarning(platformLog, "%s: the workbook is saved or dropped", call);
        return false;
    }

    class Sheet final : public Worksheet {
    public:
        explicit Sheet(XlsxWorkbook& book) : book_(book) {}
        bool SaveAs(const QString& fileName) override { return book_.saveAs(fileName); }

    protected:
        bool setCellValue(int row, int column, const CellValue& value) override {
            return book_.write(row, column, value);
        }

    private:
        XlsxWorkbook& book_;
    };

    explicit XlsxWorkbook(const std::string& tempFolder) : sheet1_(*this), tempFolder_(tempFolder) {
        // Holds the descriptor's number until the save puts the output there;
        // meanwhile it leads to no file that could be written.
        outputFd_ = ::open("/", O_PATH | O_CLOEXEC);
        if (outputFd_ < 0) {
            qCWarning(platformLog, "Cannot make a workbook: open /: %s", std::strerror(errno));
            return;
        }
        outputName_ = "/proc/self/fd/" + std::to_string(outputFd_);
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = tempFolder_.data();
        book_ = workbook_new_opt(outputName_.c_str(), &options);
        if (book_ == nullptr) {
            qCWarning(platformLog, "Cannot make a workbook: libxlsxwriter made none");
            return;
        }
        sheet_ = workbook_add_worksheet(book_, sheetName);
        if (sheet_ == nullptr) {
            qCWarning(platformLog, "Cannot make a workbook: libxlsxwriter added no sheet \"%s\"", sheetName);
            lxw_workbook_free(book_);
            book_ = nullptr;
        }
    }

    bool write(int row, int column, const CellValue& value) {
        if (book_ == nullptr) return closed("Cells");
        if (row < 1 || row > maxRows || column < 1 || column > maxColumns) {
            qCWarning(platformLog, "Cells(%d, %d): outside the sheet", row, column);
            return false;
        }
        const auto r = static_cast<lxw_row_t>(row - 1);
        const auto c = static_cast<lxw_col_t>(column - 1);
        CFormatting cFormatting;
        lxw_error error = LXW_NO_ERROR;
        if (const auto* i = std::get_if<std::int32_t>(&value)) {
            error = worksheet_write_number(sheet_, r, c, *i, nullptr);
        } else if (const auto* d = std::get_if<double>(&value)) {
            // A cell holds no "not a number" and no infinity.
            if (!std::isfinite(*d)) {
                qCWarning(platformLog, "Cells(%d, %d): %g is no number a cell holds", row, column, *d);
                return false;
            }
            error = worksheet_write_number(sheet_, r, c, *d, nullptr);
        } else {
            text_.assign(std::get<std::string_view>(value));
            // Without a format an empty text makes no cell.
            error = worksheet_write_string(sheet_, r, c, text_.c_str(), nullptr);
        }
        if (error != LXW_NO_ERROR) qCWarning(platformLog, "Cells(%d, %d): %s", row, column, lxw_strerror(error));
        return error == LXW_NO_ERROR;
    }

    bool saveAs(const QString& fileName) {
        if (book_ == nullptr) return closed("SaveAs");
        if (fileName.isEmpty()) {
            qCWarning(platformLog, "SaveAs: no file name");
            return false;
        }
        // The library does not report a failed write of its scratch file.
        FILE* const scratch = sheet_->optimize_tmpfile;
        if (scratch != nullptr) {
            const bool flushed = std::fflush(scratch) == 0;
            const int error = errno;
            if (!flushed || std::ferror(scratch) != 0) {
                qCWarning(platformLog, "Cannot save %s: a write of the scratch file of its rows in %s failed%s%s",
                          qUtf8Printable(fileName), tempFolder_.c_str(), flushed ? "" : ": ",
                          flushed ? "" : std::strerror(error));
                return false;
            }
        }
        const QByteArray name = QFile::encodeName(fileName);
        FileReplacement file(std::string(name.constData(), static_cast<std::size_t>(name.size())), tempFolder_);
        if (!file.open()) return false;
        if (::dup3(file.fd(), outputFd_, O_CLOEXEC) < 0) {
            qCWarning(platformLog, "Cannot save %s: dup3: %s", qUtf8Printable(fileName), std::strerror(errno));
            return false;
        }
        lxw_error error;
        int systemError = 0;
        {
            CFormatting cFormatting;
            error = workbook_close(book_);
            systemError = errno;
        }
        book_ = nullptr;
        sheet_ = nullptr;
        // The file stays open through `file` alone, so that a failed save frees it.
        ::close(outputFd_);
        outputFd_ = -1;
        if (error != LXW_NO_ERROR) {
            // These come from a failed call of the C library, whose errno tells why.
            const bool fromSystem = error == LXW_ERROR_CREATING_XLSX_FILE || error == LXW_ERROR_CREATING_TMPFILE ||
                                    error == LXW_ERROR_READING_TMPFILE || error == LXW_ERROR_ZIP_FILE_OPERATION;
            qCWarning(platformLog, "Cannot save %s: %s%s%s", qUtf8Printable(fileName), lxw_strerror(error),
                      fromSystem ? " " : "", fromSystem ? std::strerror(systemError) : "");
            return false;
        }
        return file.commit();
    }

    Sheet sheet1_;
    std::string tempFolder_;
    int outputFd_ = -1;
    std::string outputName_;
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    std::string text_;
};

class XlsxApplication final : public SpreadsheetApplication, private WorkbookCollection {
public:
    explicit XlsxApplication(std::string tempFolder) : tempFolder_(std::move(tempFolder)) {}

    WorkbookCollection& Workbooks() override { return *this; }
    // The application never shows a window.
    bool setVisible(bool) override { return !ended_ || ended("Visible"); }
    bool Quit() override {
        ended_ = true;
        for (const std::weak_ptr<XlsxWorkbook>& b : books_)
            if (const std::shared_ptr<XlsxWorkbook> book = b.lock()) book->discard();
        books_.clear();
        return true;
    }

private:
    std::shared_ptr<Workbook> Add() override {
        if (ended_) {
            ended("Workbooks.Add");
            return nullptr;
        }
        std::shared_ptr<XlsxWorkbook> book = XlsxWorkbook::create(tempFolder_);
        if (book != nullptr) books_.push_back(book);
        return book;
    }

    // A call on an application that has quit.
    static bool ended(const char* call) {
        qCWarning(platformLog, "%s: the application has quit", call);
        return false;
    }

    std::string tempFolder_;
    std::vector<std::weak_ptr<XlsxWorkbook>> books_;
    bool ended_ = false;
};

} // namespace

ApplicationFactory automationObjects(QString tempFolder) {
    if (tempFolder.isEmpty()) tempFolder = QDir::tempPath();
    const QByteArray folder = QFile::encodeName(tempFolder);
    return [folder = std::string(folder.constData(), static_cast<std::size_t>(folder.size()))](
               const QString& className) -> std::shared_ptr<SpreadsheetApplication> {
        if (className.compare(QLatin1String("Excel.Application"), Qt::CaseInsensitive) != 0) return nullptr;
        return std::make_shared<XlsxApplication>(folder);
    };
}

} // namespace meter
