// The framework's exception hierarchy. Every failure the framework reports is an Exception carrying
// the system's exact message text; callers catch by class and show Message().
#pragma once

#include <exception>
#include <string>

#pragma GCC visibility push(default)

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}

    const std::string& Message() const noexcept { return FMessage; }
    void SetMessage(std::string message) { FMessage = std::move(message); }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

#define FW_DECLARE_EXCEPTION(Name, Base)                                                                     \
    class Name : public Base {                                                                               \
    public:                                                                                                  \
        using Base::Base;                                                                                    \
    }

FW_DECLARE_EXCEPTION(EAbort, Exception);
FW_DECLARE_EXCEPTION(EConvertError, Exception);
FW_DECLARE_EXCEPTION(EListError, Exception);
FW_DECLARE_EXCEPTION(EStringListError, Exception);
FW_DECLARE_EXCEPTION(EInvalidOperation, Exception);
FW_DECLARE_EXCEPTION(EInvalidCast, Exception);
FW_DECLARE_EXCEPTION(EComponentError, Exception);
FW_DECLARE_EXCEPTION(EPropertyError, Exception);
FW_DECLARE_EXCEPTION(EParserError, Exception);
FW_DECLARE_EXCEPTION(EStreamError, Exception);
FW_DECLARE_EXCEPTION(EFCreateError, EStreamError);
FW_DECLARE_EXCEPTION(EFOpenError, EStreamError);
FW_DECLARE_EXCEPTION(EFilerError, EStreamError);
FW_DECLARE_EXCEPTION(EReadError, EFilerError);
FW_DECLARE_EXCEPTION(EWriteError, EFilerError);
FW_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
FW_DECLARE_EXCEPTION(EMethodNotFound, EFilerError);
FW_DECLARE_EXCEPTION(EInvalidImage, EFilerError);
FW_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
FW_DECLARE_EXCEPTION(EOutOfResources, Exception);
FW_DECLARE_EXCEPTION(EResNotFound, Exception);

#pragma GCC visibility pop
