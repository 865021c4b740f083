#include "ps_interpreter.h"

#include "ps_commands.h"
#include "ps_parser.h"
#include "ps_text.h"
#include "ps_value.h"

#include <optional>

namespace {

struct TExitSignal {
    int code;
};

class TEvaluator {
public:
    TEvaluator(std::wstring_view line, TPsHost& host) : FLine(line), FHost(host) {}

    TPsOutcome Run(const TPsScript& script) {
        try {
            for (const TPsStatement& statement : script) {
                try {
                    for (const TPsValue& v : RunStatement(statement))
                        if (v.kind != TPsValue::TKind::Null) FHost.WriteOutput(ToPsString(v));
                } catch (const TPsRuntimeError& e) {
                    Report(e.error);
                }
            }
        } catch (const TExitSignal& signal) {
            return {true, signal.code};
        }
        return {};
    }

private:
    std::wstring_view FLine;
    TPsHost& FHost;

    void Report(const TPsError& error) { FHost.WriteError(FormatPsError(error, FLine)); }

    static TPsError ConversionError(std::wstring message, const wchar_t* errorId, const TPsExpression& at) {
        return {L"",     std::move(message), L"InvalidArgument: (:) [], RuntimeException",
                errorId, at.position,        at.length};
    }

    std::vector<TPsValue> RunStatement(const TPsStatement& statement) {
        if (statement.isExit) {
            int code = 0;
            if (statement.exitCode) {
                const TPsValue v = Scalar(Evaluate(*statement.exitCode));
                if (v.kind == TPsValue::TKind::Number) code = int(v.number);
            }
            throw TExitSignal{code};
        }
        return RunPipeline(statement.pipeline);
    }

    std::vector<TPsValue> RunStatements(const std::vector<TPsStatement>& statements) {
        std::vector<TPsValue> values;
        for (const TPsStatement& statement : statements) {
            std::vector<TPsValue> more = RunStatement(statement);
            values.insert(values.end(), more.begin(), more.end());
        }
        return values;
    }

    std::vector<TPsValue> RunPipeline(const TPsPipeline& pipeline) {
        std::vector<TPsValue> values;
        bool hasInput = false;
        if (pipeline.head) {
            values = Evaluate(*pipeline.head);
            hasInput = true;
        }
        std::optional<std::wstring> target;
        if (pipeline.redirectTarget) target = RedirectPath(*pipeline.redirectTarget);
        for (const TPsCommand& command : pipeline.commands) {
            const TPsInvocation invocation = Invoke(command);
            values = InvokePsCommand(invocation, hasInput ? &values : nullptr, FHost,
                                     [this](const TPsError& e) { Report(e); });
            hasInput = true;
        }
        if (!target) return values;

        std::vector<std::wstring> lines;
        for (const TPsValue& v : values)
            if (v.kind != TPsValue::TKind::Null) lines.push_back(ToPsString(v));
        const TPsHostAnswer written = FHost.WriteFile(*target, lines);
        if (written.Failed())
            throw TPsRuntimeError{{L"out-file", written.failure, L"OpenError: (:) [Out-File], IOException",
                                   L"FileOpenFailure,Microsoft.PowerShell.Commands.OutFileCommand",
                                   pipeline.redirectPosition, 1}};
        return {};
    }

    std::wstring RedirectPath(const TPsExpression& target) {
        const TPsValue v = Scalar(Evaluate(target));
        const std::wstring path = ToPsString(v);
        if (path.empty()) {
            const std::wstring what = v.kind == TPsValue::TKind::Null ? L"null" : L"an empty string";
            throw TPsRuntimeError{
                {L"out-file", L"Cannot bind argument to parameter 'FilePath' because it is " + what + L".",
                 L"InvalidData: (:) [Out-File], ParameterBindingValidationException",
                 L"ParameterArgumentValidationError,Microsoft.PowerShell.Commands.OutFileCommand",
                 target.position, target.length}};
        }
        return path;
    }

    TPsInvocation Invoke(const TPsCommand& command) {
        TPsInvocation invocation{command.name, command.position, command.length, {}};
        for (const TPsCommandElement& element : command.elements) {
            TPsArgumentValue a;
            a.isParameter = element.isParameter;
            a.parameterName = element.parameterName;
            if (!element.isParameter) a.value = Scalar(Evaluate(element.argument));
            a.position = element.position;
            a.length = element.length;
            invocation.arguments.push_back(std::move(a));
        }
        return invocation;
    }

    // One value where one is needed: nothing gives null, several are joined as PowerShell joins an array
    // into a string, with a space between the elements.
    static TPsValue Scalar(const std::vector<TPsValue>& values) {
        if (values.empty()) return TPsValue::Null();
        if (values.size() == 1) return values[0];
        return TPsValue::String(Join(values));
    }

    static std::wstring Join(const std::vector<TPsValue>& values) {
        std::wstring text;
        for (size_t i = 0; i < values.size(); ++i)
            text += (i ? L" " : L"") + ToPsString(values[i]);
        return text;
    }

    std::vector<TPsValue> Evaluate(const TPsExpression& e) {
        switch (e.kind) {
        case TPsExpression::TKind::Text:
            return {TPsValue::String(e.text)};
        case TPsExpression::TKind::Number:
            return {TPsValue::Number(e.number)};
        case TPsExpression::TKind::Variable:
            return {Variable(e.text)};
        case TPsExpression::TKind::Paren:
        case TPsExpression::TKind::SubExpression:
            return RunStatements(e.statements);
        case TPsExpression::TKind::CharCast:
            return {CastToChar(Scalar(Evaluate(e.parts[0])), e)};
        case TPsExpression::TKind::Expandable:
            break;
        }
        std::wstring text;
        for (const TPsExpression& part : e.parts) {
            if (part.kind == TPsExpression::TKind::Text)
                text += part.text;
            else
                text += Join(Evaluate(part));
        }
        return {TPsValue::String(std::move(text))};
    }

    TPsValue Variable(std::wstring_view name) {
        const size_t colon = name.find(L':');
        if (colon != std::wstring_view::npos) {
            const std::wstring_view qualifier = name.substr(0, colon);
            const std::wstring_view rest = name.substr(colon + 1);
            if (SameText(qualifier, L"env")) {
                const auto value = FHost.EnvironmentVariable(rest);
                return value ? TPsValue::String(*value) : TPsValue::Null();
            }
            const bool scope = SameText(qualifier, L"global") || SameText(qualifier, L"local") ||
                               SameText(qualifier, L"script") || SameText(qualifier, L"private") ||
                               SameText(qualifier, L"variable");
            if (!scope) return TPsValue::Null(); // a drive that holds no variables here
            name = rest;
        }
        if (SameText(name, L"true")) return TPsValue::Bool(true);
        if (SameText(name, L"false")) return TPsValue::Bool(false);
        if (SameText(name, L"null")) return TPsValue::Null();
        // The values a freshly opened console has while it runs its first line: $? is True, since nothing
        // has failed yet, and $$ and $^ (the last and first token of the previous line) are null, since there
        // is no previous line. The console keeps these values for every line, so each typed command sees
        // what it would see as the first command of a new PowerShell window.
        if (name == L"?") return TPsValue::Bool(true);
        if (name == L"$" || name == L"^") return TPsValue::Null();
        const auto value = FHost.SessionVariable(name);
        return value ? TPsValue::String(*value) : TPsValue::Null();
    }

    static TPsValue CastToChar(const TPsValue& v, const TPsExpression& at) {
        const std::wstring head =
            L"Cannot convert value \"" + ToPsString(v) + L"\" to type \"System.Char\". Error: \"";
        switch (v.kind) {
        case TPsValue::TKind::Null:
            return TPsValue::Char(L'\0');
        case TPsValue::TKind::Char:
            return v;
        case TPsValue::TKind::Number:
            if (v.number < 0 || v.number > 0xFFFF)
                throw TPsRuntimeError{
                    ConversionError(head + L"Value was either too large or too small for a character.\"",
                                    L"InvalidCastIConvertible", at)};
            return TPsValue::Char(wchar_t(v.number));
        case TPsValue::TKind::String:
            if (v.text.size() != 1)
                throw TPsRuntimeError{ConversionError(head + L"String must be exactly one character long.\"",
                                                      L"InvalidCastParseTargetInvocation", at)};
            return TPsValue::Char(v.text[0]);
        case TPsValue::TKind::Bool:
        case TPsValue::TKind::SecureString:
            break;
        }
        throw TPsRuntimeError{
            ConversionError(L"Cannot convert the \"" + ToPsString(v) + L"\" value to type \"System.Char\".",
                            L"ConvertToFinalInvalidCastException", at)};
    }
};

} // namespace

TPsOutcome RunPsLine(std::wstring_view line, TPsHost& host) {
    const TPsParseResult parsed = ParsePsLine(line);
    if (parsed.error) {
        host.WriteError(FormatPsError(*parsed.error, line));
        return {};
    }
    return TEvaluator(line, host).Run(parsed.script);
}
