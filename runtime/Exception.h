#ifndef VARNEL_RUNTIME_EXCEPTION_H
#define VARNEL_RUNTIME_EXCEPTION_H

#include <QString>
#include <stdexcept>

// A failure that ends the running command; its message is what the user reads in the error box.
class Exception : public std::runtime_error {
public:
    explicit Exception(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

// What the error box says for any failure: our own message, or the library's text.
inline QString MessageOf(const std::exception& failure) {
    if (const auto* own = dynamic_cast<const Exception*>(&failure))
        return own->Message();
    return QString::fromLocal8Bit(failure.what());
}

#endif
