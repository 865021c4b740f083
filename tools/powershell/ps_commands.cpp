#include "ps_commands.h"

#include "ps_text.h"

#include <optional>
#include <set>

namespace {

struct TParameterInfo {
    const wchar_t* name;
    bool isSwitch;
    bool supported;
};

// Each command takes one value parameter, at position 0 and from the pipeline, and some switches.
struct TCommandInfo {
    const wchar_t* name;
    const wchar_t* className;
    const wchar_t* valueParameter;
    std::vector<TParameterInfo> parameters;
};

const TCommandInfo kCommands[] = {
    {L"ConvertTo-SecureString",
     L"Microsoft.PowerShell.Commands.ConvertToSecureStringCommand",
     L"String",
     {{L"String", false, true},
      {L"AsPlainText", true, true},
      {L"Force", true, true},
      {L"SecureKey", false, false},
      {L"Key", false, false}}},
    {L"ConvertFrom-SecureString",
     L"Microsoft.PowerShell.Commands.ConvertFromSecureStringCommand",
     L"SecureString",
     {{L"SecureString", false, true}, {L"SecureKey", false, false}, {L"Key", false, false}}},
};

// They take part in the prefix matching of every cmdlet, so "-E" is ambiguous everywhere.
const wchar_t* const kCommonParameters[] = {
    L"Verbose",           L"Debug",         L"ErrorAction",      L"WarningAction",
    L"InformationAction", L"ErrorVariable", L"WarningVariable",  L"InformationVariable",
    L"OutVariable",       L"OutBuffer",     L"PipelineVariable",
};

bool StartsWithText(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

std::wstring TypeName(const TPsValue& v) {
    switch (v.kind) {
    case TPsValue::TKind::String:
        return L"System.String";
    case TPsValue::TKind::Number:
        return v.number == static_cast<long long>(static_cast<int>(v.number)) ? L"System.Int32"
                                                                              : L"System.Int64";
    case TPsValue::TKind::Char:
        return L"System.Char";
    case TPsValue::TKind::Bool:
        return L"System.Boolean";
    case TPsValue::TKind::SecureString:
        return L"System.Security.SecureString";
    case TPsValue::TKind::Null:
        break;
    }
    return L"null";
}

class TCommandRun {
public:
    TCommandRun(const TCommandInfo& info, const TPsInvocation& invocation, TPsHost& host,
                const TPsErrorReporter& report)
        : FInfo(info), FInvocation(invocation), FHost(host), FReport(report) {}

    std::vector<TPsValue> Run(const std::vector<TPsValue>* pipelineInput) {
        Bind();
        std::vector<TPsValue> output;
        if (!pipelineInput) {
            if (!FValue)
                throw TPsRuntimeError{Failure(L"This console cannot prompt for the missing parameter '" +
                                                  std::wstring(FInfo.valueParameter) + L"'.",
                                              L"NotImplemented", L"NotSupportedByThisConsole",
                                              FInvocation.position, FInvocation.length)};
            Process(FValue->value, false, output);
            return output;
        }
        for (const TPsValue& item : *pipelineInput) {
            if (FValue)
                FReport(InputNotBound());
            else
                Process(item, true, output);
        }
        return output;
    }

private:
    const TCommandInfo& FInfo;
    const TPsInvocation& FInvocation;
    TPsHost& FHost;
    const TPsErrorReporter& FReport;
    std::set<std::wstring> FSwitches;
    std::optional<TPsArgumentValue> FValue;

    TPsError Failure(std::wstring message, const wchar_t* category, const wchar_t* exceptionName,
                     const std::wstring& errorId, size_t position, size_t length) const {
        return {FInfo.name,
                std::move(message),
                std::wstring(category) + L": (:) [" + FInfo.name + L"], " + exceptionName,
                errorId + L"," + FInfo.className,
                position,
                length};
    }

    TPsError Failure(std::wstring message, const wchar_t* category, const wchar_t* errorId, size_t position,
                     size_t length) const {
        return Failure(std::move(message), category, L"NotSupportedException", errorId, position, length);
    }

    TPsError BindingFailure(std::wstring message, const wchar_t* errorId, const TPsArgumentValue& at) const {
        return Failure(std::move(message), L"InvalidArgument", L"ParameterBindingException", errorId,
                       at.position, at.length);
    }

    TPsError InputNotBound() const {
        return Failure(
            L"The input object cannot be bound to any parameters for the command either because the "
            L"command does not take pipeline input or the input and its properties do not match any "
            L"of the parameters that take pipeline input.",
            L"InvalidArgument", L"ParameterBindingException", L"InputObjectNotBound", FInvocation.position,
            FInvocation.length);
    }

    const TParameterInfo& Resolve(const TPsArgumentValue& argument) const {
        const std::wstring& written = argument.parameterName;
        std::vector<std::wstring> matches;
        for (const TParameterInfo& p : FInfo.parameters) {
            if (SameText(p.name, written)) return p;
            if (StartsWithText(p.name, written)) matches.push_back(p.name);
        }
        for (const wchar_t* common : kCommonParameters) {
            if (SameText(common, written)) {
                matches = {common};
                break;
            }
            if (StartsWithText(common, written)) matches.push_back(common);
        }
        if (matches.empty())
            throw TPsRuntimeError{
                BindingFailure(L"A parameter cannot be found that matches parameter name '" + written + L"'.",
                               L"NamedParameterNotFound", argument)};
        if (matches.size() > 1) {
            std::wstring list;
            for (const std::wstring& m : matches)
                list += L" -" + m;
            throw TPsRuntimeError{
                BindingFailure(L"Parameter cannot be processed because the parameter name '" + written +
                                   L"' is ambiguous. Possible matches include:" + list + L".",
                               L"AmbiguousParameter", argument)};
        }
        for (const TParameterInfo& p : FInfo.parameters)
            if (matches[0] == p.name && p.supported) return p;
        throw TPsRuntimeError{Failure(L"This console does not support the parameter -" + matches[0] + L".",
                                      L"NotImplemented", L"NotSupportedByThisConsole", argument.position,
                                      argument.length)};
    }

    void Bind() {
        const auto& args = FInvocation.arguments;
        for (size_t i = 0; i < args.size(); ++i) {
            if (!args[i].isParameter) {
                if (FValue)
                    throw TPsRuntimeError{
                        BindingFailure(L"A positional parameter cannot be found that accepts argument '" +
                                           ToPsString(args[i].value) + L"'.",
                                       L"PositionalParameterNotFound", args[i])};
                FValue = args[i];
                continue;
            }
            const TParameterInfo& p = Resolve(args[i]);
            const bool already = p.isSwitch ? FSwitches.count(p.name) > 0 : FValue.has_value();
            if (already)
                throw TPsRuntimeError{
                    BindingFailure(std::wstring(L"Cannot bind parameter because parameter '") + p.name +
                                       L"' is specified more than once.",
                                   L"ParameterAlreadyBound", args[i])};
            if (p.isSwitch) {
                FSwitches.insert(p.name);
            } else {
                if (i + 1 >= args.size() || args[i + 1].isParameter)
                    throw TPsRuntimeError{
                        BindingFailure(std::wstring(L"Missing an argument for parameter '") + p.name +
                                           L"'. Specify a parameter and try again.",
                                       L"MissingArgument", args[i])};
                FValue = args[++i];
            }
        }
    }

    // Checks the value of the value parameter. A bad argument stops the statement; a bad pipeline
    // object is reported and skipped.
    bool Admit(const TPsValue& value, bool fromPipeline, bool wantSecureString) {
        std::wstring message;
        const wchar_t* errorId = L"";
        const std::wstring parameter = FInfo.valueParameter;
        if (value.kind == TPsValue::TKind::Null) {
            message = L"Cannot bind argument to parameter '" + parameter + L"' because it is null.";
            errorId = L"ParameterArgumentValidationErrorNullNotAllowed";
        } else if (wantSecureString && value.kind != TPsValue::TKind::SecureString) {
            if (fromPipeline) {
                FReport(InputNotBound());
                return false;
            }
            message = L"Cannot bind parameter '" + parameter + L"'. Cannot convert the \"" +
                      ToPsString(value) + L"\" value of type \"" + TypeName(value) +
                      L"\" to type \"System.Security.SecureString\".";
            errorId = L"CannotConvertArgumentNoMessage";
        } else if (!wantSecureString && ToPsString(value).empty()) {
            message =
                L"Cannot bind argument to parameter '" + parameter + L"' because it is an empty string.";
            errorId = L"ParameterArgumentValidationErrorEmptyStringNotAllowed";
        } else {
            return true;
        }
        const TPsError error = Failure(message, L"InvalidData", L"ParameterBindingValidationException",
                                       errorId, FInvocation.position, FInvocation.length);
        if (!fromPipeline) throw TPsRuntimeError{error};
        FReport(error);
        return false;
    }

    void Process(const TPsValue& value, bool fromPipeline, std::vector<TPsValue>& output) {
        if (FInfo.valueParameter == std::wstring_view(L"String"))
            ConvertTo(value, fromPipeline, output);
        else
            ConvertFrom(value, fromPipeline, output);
    }

    void ConvertTo(const TPsValue& value, bool fromPipeline, std::vector<TPsValue>& output) {
        if (!Admit(value, fromPipeline, false)) return;
        if (!FSwitches.count(L"AsPlainText")) {
            FReport(Failure(L"This console converts plain text only: give -AsPlainText -Force.",
                            L"NotImplemented", L"NotSupportedByThisConsole", FInvocation.position,
                            FInvocation.length));
            return;
        }
        if (!FSwitches.count(L"Force")) {
            FReport(Failure(
                L"The system cannot protect plain text input. To suppress this warning and convert the "
                L"plain text to a SecureString, reissue the command specifying the Force parameter. "
                L"For more information ,type: get-help ConvertTo-SecureString.",
                L"InvalidArgument", L"ArgumentException", L"ImportSecureString_InvalidArgument",
                FInvocation.position, FInvocation.length));
            return;
        }
        output.push_back(TPsValue::SecureString(ToPsString(value)));
    }

    void ConvertFrom(const TPsValue& value, bool fromPipeline, std::vector<TPsValue>& output) {
        if (!Admit(value, fromPipeline, true)) return;
        const TPsHostAnswer answer = FHost.Protect(value.text);
        if (answer.Failed()) {
            FReport(Failure(answer.failure, L"NotSpecified", L"CryptographicException",
                            L"System.Security.Cryptography.CryptographicException", FInvocation.position,
                            FInvocation.length));
            return;
        }
        output.push_back(TPsValue::String(answer.value));
    }
};

} // namespace

std::vector<TPsValue> InvokePsCommand(const TPsInvocation& invocation,
                                      const std::vector<TPsValue>* pipelineInput, TPsHost& host,
                                      const TPsErrorReporter& report) {
    for (const TCommandInfo& info : kCommands)
        if (SameText(info.name, invocation.name))
            return TCommandRun(info, invocation, host, report).Run(pipelineInput);
    throw TPsRuntimeError{
        {invocation.name,
         L"The term '" + invocation.name +
             L"' is not recognized as the name of a cmdlet, function, script file, or operable "
             L"program. Check the spelling of the name, or if a path was included, verify that "
             L"the path is correct and try again.",
         L"ObjectNotFound: (" + invocation.name + L":String) [], CommandNotFoundException",
         L"CommandNotFoundException", invocation.position, invocation.name.size()}};
}
