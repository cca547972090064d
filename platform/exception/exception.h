// The error objects of the control kit and everything built on it. Every
// failure is an Exception carrying one message text (UTF-8); the frame's one
// catch point shows it in the error box. Each class names itself so that the
// start-up failure report can print the class of the error that escaped.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : m_message(std::move(message)) {}
    const std::string& Message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    std::string m_message;
};

// Declares an error class with its own class name for reports.
#define TOLVIKA_ERROR_CLASS(Name, Base)                                                                                \
    class Name : public Base {                                                                                         \
    public:                                                                                                            \
        using Base::Base;                                                                                              \
        const char* ClassName() const noexcept override { return #Name; }                                              \
    }

// The silent error: it ends the handler and is never shown.
TOLVIKA_ERROR_CLASS(EAbort, Exception);
// An operation the control refused, for example text beyond a text area's capacity.
TOLVIKA_ERROR_CLASS(EInvalidOperation, Exception);
// A stored layout or stream that cannot be read.
TOLVIKA_ERROR_CLASS(EReadError, Exception);
// A stored layout that names a control class the kit does not know.
TOLVIKA_ERROR_CLASS(EClassNotFound, Exception);
