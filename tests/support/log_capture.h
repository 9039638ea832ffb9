// The program's log as a test sees it: while a CapturedLog lives, the messages
// of the categories "meter.*" are kept in it instead of going to stderr; all
// other messages pass on to the handler before it.
#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

namespace testsupport {

class CapturedLog {
public:
    struct Message {
        QtMsgType type;
        QString category;
        QString text;
    };

    CapturedLog() : outer_(current()) {
        current() = this;
        previous_ = qInstallMessageHandler(&handle);
    }
    ~CapturedLog() {
        qInstallMessageHandler(previous_);
        current() = outer_;
    }
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;

    std::vector<Message> messages;

    std::vector<Message> warnings() const {
        std::vector<Message> w;
        for (const Message& m : messages)
            if (m.type == QtWarningMsg) w.push_back(m);
        return w;
    }

private:
    static CapturedLog*& current() {
        static CapturedLog* log = nullptr;
        return log;
    }
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        CapturedLog* const log = current();
        const QString category = QString::fromUtf8(context.category != nullptr ? context.category : "");
        if (log != nullptr && category.startsWith(QLatin1String("meter."))) {
            log->messages.push_back({type, category, text});
            return;
        }
        if (log != nullptr && log->previous_ != nullptr) log->previous_(type, context, text);
    }

    CapturedLog* outer_;
    QtMessageHandler previous_ = nullptr;
};

} // namespace testsupport
