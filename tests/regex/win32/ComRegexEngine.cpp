#include "regex/win32/ComRegexEngine.h"

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

namespace comregex {
namespace {

// One CoInitialize on this thread, balanced when the last holder lets go. A thread already
// in another apartment keeps it, and then there is nothing to balance.
class Apartment {
public:
    Apartment() : initialized(SUCCEEDED(CoInitialize(nullptr))) {}
    ~Apartment() {
        if (initialized) CoUninitialize();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

private:
    bool initialized;
};

using SharedApartment = std::shared_ptr<Apartment>;

// A VARIANT that frees what it holds.
struct Variant {
    Variant() { VariantInit(&value); }
    ~Variant() { VariantClear(&value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT value;
};

bool SetString(Variant& variant, std::u16string_view text) {
    // SysAllocStringLen keeps embedded NULs; it copies nothing from a null pointer.
    const BSTR string =
        SysAllocStringLen(text.empty() ? nullptr : reinterpret_cast<const OLECHAR*>(text.data()),
                          static_cast<UINT>(text.size()));
    if (string == nullptr) return false;
    VariantClear(&variant.value);
    variant.value.vt = VT_BSTR;
    variant.value.bstrVal = string;
    return true;
}

void SetInteger(Variant& variant, int32_t number) {
    VariantClear(&variant.value);
    variant.value.vt = VT_I4;
    variant.value.lVal = number;
}

// A non-participating group reads as Empty, which is the empty text here as it is for the
// built-in engine.
std::optional<std::u16string> AsString(const VARIANT& value) {
    if (value.vt == VT_EMPTY) return std::u16string();
    Variant converted;
    if (FAILED(VariantChangeType(&converted.value, const_cast<VARIANT*>(&value), 0, VT_BSTR)))
        return std::nullopt;
    const BSTR string = converted.value.bstrVal;
    return std::u16string(reinterpret_cast<const char16_t*>(string), SysStringLen(string));
}

std::optional<double> AsNumber(const VARIANT& value) {
    Variant converted;
    if (FAILED(VariantChangeType(&converted.value, const_cast<VARIANT*>(&value), 0, VT_R8)))
        return std::nullopt;
    return converted.value.dblVal;
}

std::optional<bool> AsBool(const VARIANT& value) {
    Variant converted;
    if (FAILED(VariantChangeType(&converted.value, const_cast<VARIANT*>(&value), 0, VT_BOOL)))
        return std::nullopt;
    return converted.value.boolVal != VARIANT_FALSE;
}

// One reference to an automation object, with the apartment it lives in (released first,
// since members go in reverse order).
class Automation {
public:
    Automation(SharedApartment apartment, IDispatch* taken)
        : apartment(std::move(apartment)), dispatch(taken, [](IDispatch* d) { d->Release(); }) {}

    // Invokes member name with up to two arguments, in the order of its parameters.
    HRESULT Invoke(const wchar_t* name, WORD flags, VARIANT* first, VARIANT* second, VARIANT* result) const {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        DISPID id = DISPID_UNKNOWN;
        HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr)) return hr;
        // DISPPARAMS takes the arguments last first.
        VARIANT reversed[2];
        UINT count = 0;
        if (second != nullptr) reversed[count++] = *second;
        if (first != nullptr) reversed[count++] = *first;
        DISPID putId = DISPID_PROPERTYPUT;
        DISPPARAMS params{count > 0 ? reversed : nullptr, nullptr, count, 0};
        if (flags & DISPATCH_PROPERTYPUT) {
            params.rgdispidNamedArgs = &putId;
            params.cNamedArgs = 1;
        }
        EXCEPINFO exception{};
        UINT argumentError = 0;
        hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception,
                              &argumentError);
        if (hr == DISP_E_EXCEPTION) {
            if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
            SysFreeString(exception.bstrSource);
            SysFreeString(exception.bstrDescription);
            SysFreeString(exception.bstrHelpFile);
        }
        return hr;
    }

    bool Put(const wchar_t* name, Variant& value) const {
        return SUCCEEDED(Invoke(name, DISPATCH_PROPERTYPUT, &value.value, nullptr, nullptr));
    }

    std::optional<std::u16string> GetString(const wchar_t* name, VARIANT* index = nullptr) const {
        Variant result;
        if (!Get(name, index, result)) return std::nullopt;
        return AsString(result.value);
    }
    std::optional<double> GetNumber(const wchar_t* name) const {
        Variant result;
        return Get(name, nullptr, result) ? AsNumber(result.value) : std::nullopt;
    }
    std::optional<bool> GetBool(const wchar_t* name) const {
        Variant result;
        return Get(name, nullptr, result) ? AsBool(result.value) : std::nullopt;
    }

    // The object a read or a call gives, or nothing.
    std::optional<Automation> ObjectFrom(HRESULT hr, Variant& result) const {
        if (FAILED(hr) || result.value.vt != VT_DISPATCH || result.value.pdispVal == nullptr)
            return std::nullopt;
        IDispatch* object = result.value.pdispVal;
        object->AddRef();  // the Variant releases its own reference
        return Automation(apartment, object);
    }
    std::optional<Automation> GetObject(const wchar_t* name, VARIANT* index = nullptr) const {
        Variant result;
        const HRESULT hr =
            Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, index, nullptr, &result.value);
        return ObjectFrom(hr, result);
    }

private:
    bool Get(const wchar_t* name, VARIANT* index, Variant& result) const {
        // An indexed read ("Item") is a method call to some callers and a property to others.
        const WORD flags = index ? DISPATCH_PROPERTYGET | DISPATCH_METHOD : DISPATCH_PROPERTYGET;
        return SUCCEEDED(Invoke(name, flags, index, nullptr, &result.value));
    }

    SharedApartment apartment;
    std::shared_ptr<IDispatch> dispatch;
};

class ComSubMatches final : public RegexSubMatches {
public:
    explicit ComSubMatches(Automation object) : object(std::move(object)) {}
    std::optional<double> Count() const override { return object.GetNumber(L"Count"); }
    std::optional<std::u16string> Item(int32_t index) const override {
        Variant argument;
        SetInteger(argument, index);
        return object.GetString(L"Item", &argument.value);
    }

private:
    Automation object;
};

class ComMatch final : public RegexMatch {
public:
    explicit ComMatch(Automation object) : object(std::move(object)) {}
    std::optional<std::u16string> Value() const override { return object.GetString(L"Value"); }
    std::optional<double> FirstIndex() const override { return object.GetNumber(L"FirstIndex"); }
    std::unique_ptr<RegexSubMatches> SubMatches() const override {
        std::optional<Automation> groups = object.GetObject(L"SubMatches");
        return groups ? std::make_unique<ComSubMatches>(std::move(*groups)) : nullptr;
    }

private:
    Automation object;
};

class ComMatchCollection final : public RegexMatchCollection {
public:
    explicit ComMatchCollection(Automation object) : object(std::move(object)) {}
    std::optional<double> Count() const override { return object.GetNumber(L"Count"); }
    std::unique_ptr<RegexMatch> Item(int32_t index) const override {
        Variant argument;
        SetInteger(argument, index);
        std::optional<Automation> match = object.GetObject(L"Item", &argument.value);
        return match ? std::make_unique<ComMatch>(std::move(*match)) : nullptr;
    }

private:
    Automation object;
};

class ComEngine final : public RegexEngine {
public:
    explicit ComEngine(Automation object) : object(std::move(object)) {}

    bool SetIgnoreCase(bool value) override { return PutBool(L"IgnoreCase", value); }
    std::optional<bool> IgnoreCase() const override { return object.GetBool(L"IgnoreCase"); }
    bool SetMultiline(bool value) override { return PutBool(L"Multiline", value); }
    std::optional<bool> Multiline() const override { return object.GetBool(L"Multiline"); }
    bool SetGlobal(bool value) override { return PutBool(L"Global", value); }
    std::optional<bool> Global() const override { return object.GetBool(L"Global"); }
    bool SetPattern(std::u16string_view pattern) override {
        Variant value;
        return SetString(value, pattern) && object.Put(L"Pattern", value);
    }
    std::optional<std::u16string> Pattern() const override { return object.GetString(L"Pattern"); }

    std::unique_ptr<RegexMatchCollection> Execute(std::u16string_view subject) override {
        Variant argument;
        if (!SetString(argument, subject)) return nullptr;
        Variant result;
        const HRESULT hr =
            object.Invoke(L"Execute", DISPATCH_METHOD, &argument.value, nullptr, &result.value);
        std::optional<Automation> matches = object.ObjectFrom(hr, result);
        return matches ? std::make_unique<ComMatchCollection>(std::move(*matches)) : nullptr;
    }

    std::optional<std::u16string> Replace(std::u16string_view subject,
                                          std::u16string_view replacement) override {
        Variant source;
        Variant with;
        if (!SetString(source, subject) || !SetString(with, replacement)) return std::nullopt;
        Variant result;
        if (FAILED(object.Invoke(L"Replace", DISPATCH_METHOD, &source.value, &with.value, &result.value)))
            return std::nullopt;
        return AsString(result.value);
    }

private:
    bool PutBool(const wchar_t* name, bool value) {
        Variant setting;
        setting.value.vt = VT_BOOL;
        setting.value.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return object.Put(name, setting);
    }

    Automation object;
};

}  // namespace
}  // namespace comregex

std::unique_ptr<RegexEngine> MakeComRegexEngine(long* failure) {
    using namespace comregex;
    auto apartment = std::make_shared<Apartment>();
    CLSID classId{};
    HRESULT hr = CLSIDFromProgID(L"VBScript.RegExp", &classId);
    IDispatch* dispatch = nullptr;
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&dispatch));
    if (FAILED(hr) || dispatch == nullptr) {
        if (failure != nullptr) *failure = FAILED(hr) ? hr : E_NOINTERFACE;
        return nullptr;
    }
    return std::make_unique<ComEngine>(Automation(std::move(apartment), dispatch));
}

bool RunningUnderWine() {
    // Wine's ntdll exports its version; Windows' does not.
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
