#include "ResourceBase.h"

#include "DebugFlags.h"
#include "Errors.h"
#include "Languages.h"
#include "Message.h"
#include "MessageFormat.h"
#include "MessageHandler.h"
#include "PathRules.h"
#include "ProgramPaths.h"
#include "RecursiveLock.h"
#include "ReportPlaces.h"
#include "ResourceModules.h"
#include "ScopeExit.h"
#include "SystemHandles.h"
#include "VersionInfo.h"

#include <algorithm>
#include <atomic>
#include <bitset>
#include <map>
#include <memory>
#include <mutex>
#include <set>

extern "C" {

unsigned GetResourceID(const wchar_t* name)
{
    return TObj::FindProgramMessageId(reinterpret_cast<const char16_t*>(name));
}

int NumberOfMessages() { return TObj::kProgramMessageCount; }

const wchar_t* GetMessageName(int index) { return reinterpret_cast<const wchar_t*>(TObj::ProgramMessage(index).name); }

int GetMessageSystemVersion() { return TObj::kMessageSystemVersion; }

int __TalmoObjUsed = 0;
}

namespace TObj {

namespace {

using FGetResourceID = unsigned (*)(const wchar_t*);
using FNumberOfMessages = int (*)();
using FGetMessageName = const wchar_t* (*)(int);

class CResourceModule {
public:
    CResourceModule(HMODULE module, bool loadedByLibrary)
        : m_module(module), m_loaded(loadedByLibrary ? module : nullptr)
    {
        m_getId = reinterpret_cast<FGetResourceID>(reinterpret_cast<void*>(GetProcAddress(module, "GetResourceID")));
        if (m_getId != nullptr)
            m_count = reinterpret_cast<FNumberOfMessages>(
                reinterpret_cast<void*>(GetProcAddress(module, "NumberOfMessages")));
        if (m_count != nullptr)
            m_name =
                reinterpret_cast<FGetMessageName>(reinterpret_cast<void*>(GetProcAddress(module, "GetMessageName")));
    }
    CResourceModule(const CResourceModule&) = delete;
    CResourceModule& operator=(const CResourceModule&) = delete;

    HMODULE Module() const { return m_module; }

    bool LoadText(const WChar* name, CUnicodeString& text) const
    {
        if (m_getId == nullptr)
            return false;
        const unsigned id = m_getId(reinterpret_cast<const wchar_t*>(name));
        return id != 0 && LoadStringResource(id, text);
    }

    // Names of the messages this module defines.
    std::vector<CUnicodeString> Names() const
    {
        std::vector<CUnicodeString> names;
        if (m_name != nullptr)
            for (int i = 0, count = m_count(); i < count; ++i)
                names.emplace_back(m_name(i));
        return names;
    }

private:
    bool LoadStringResource(unsigned id, CUnicodeString& text) const
    {
        std::vector<wchar_t> buffer(127);
        for (;;) {
            SetLastError(0);
            const int length = ::LoadStringW(m_module, id, buffer.data(), static_cast<int>(buffer.size()));
            if (length >= static_cast<int>(buffer.size()) - 1 && buffer.size() < (1u << 20)) {
                buffer.resize(buffer.size() * 2);
                continue;
            }
            if (length > 0) {
                text = CUnicodeString(buffer.data(), length);
                return true;
            }
            if (GetLastError() == 0) {
                text = CUnicodeString();
                return true;
            }
            return false;
        }
    }

    HMODULE m_module;       // not owned here: the program's own, or the one m_loaded owns
    CLoadedModule m_loaded; // only what the library loaded itself, freed with it
    FGetResourceID m_getId = nullptr;
    FNumberOfMessages m_count = nullptr;
    FGetMessageName m_name = nullptr;
};

using CModulePtr = std::shared_ptr<const CResourceModule>;
using CCollection = std::vector<CModulePtr>; // one module per description
using CCollectionPtr = std::shared_ptr<const CCollection>;

struct CDescription {
    CUnicodeString folder;
    CUnicodeString prefix;
    bool scanned = false;
    std::bitset<kLanguageCount> languages;
};

struct CResourceBase {
    bool initialized = false;
    int currentLanguage = -1;
    int defaultLanguage = -1;
    std::vector<CDescription> descriptions;
    std::map<int, CUnicodeString> languageNames; // the available languages
    std::map<int, CCollectionPtr> collections;
    std::vector<CModulePtr> registered;
};

CRecursiveLock& ResourceLock()
{
    static CRecursiveLock lock;
    return lock;
}

CResourceBase& Base()
{
    static CResourceBase* base = new CResourceBase; // outlives static destruction on purpose
    return *base;
}

thread_local int t_threadLanguage = -1;

CUnicodeString DllPath(const CDescription& description, int code)
{
    return JoinPath(description.folder, description.prefix + CUnicodeString::FromInt(code) + u".dll");
}

void Scan(CDescription& description)
{
    description.scanned = true;
    WIN32_FIND_DATAW found;
    const CFindHandle search(FindFirstFileW(JoinPath(description.folder, CUnicodeString(u"*.dll")).W(), &found));
    if (search.IsEmpty())
        return;
    do {
        const CUnicodeString file(found.cFileName);
        const CUnicodeString stem = file.Left(file.Length() - 4);
        if (stem.Length() <= description.prefix.Length() ||
            !stem.Left(description.prefix.Length()).EqualsNoCase(description.prefix))
            continue;
        const CUnicodeString digits = stem.Mid(description.prefix.Length());
        bool onlyDigits = true;
        for (int i = 0; i < digits.Length(); ++i)
            onlyDigits = onlyDigits && digits[i] >= u'0' && digits[i] <= u'9';
        std::int32_t code = -1;
        if (!onlyDigits || !digits.ToInt(code) || code < 0 || code >= kLanguageCount)
            continue;
        if (ReadFileVersionString(JoinPath(description.folder, file), u"FileDescription")
                .EqualsNoCase(CUnicodeString(u"Resource DLL")))
            description.languages.set(static_cast<std::size_t>(code));
    } while (FindNextFileW(search.Get(), &found));
}

CModulePtr LoadResourceDll(const CUnicodeString& path)
{
    CThreadErrorState& state = ThreadErrorState();
    const bool savedForbidden = state.throwForbidden;
    const HMODULE module = LoadLibraryExW(path.W(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    state.throwForbidden = savedForbidden;
    if (module == nullptr)
        return nullptr;
    return std::make_shared<const CResourceModule>(module, true);
}

CCollectionPtr LoadCollection(const CResourceBase& base, int code)
{
    auto collection = std::make_shared<CCollection>();
    for (const CDescription& description : base.descriptions)
        if (CModulePtr module = LoadResourceDll(DllPath(description, code)))
            collection->push_back(module);
    return collection;
}

std::atomic<bool (*)(int)> g_supportForTesting{nullptr};

bool IsLanguageSupportedQuietly(int code)
{
    if (const auto isSupported = g_supportForTesting.load())
        return isSupported(code);
    return IsLanguageCodeUsed(code) && IsValidLocale(LanguageIdOf(code), LCID_INSTALLED);
}

TOBJ_MESSAGE(CURRENT_LANGUAGE_NAME);

// The program registers itself while static objects are constructed, so its own
// messages are found from the start.
const bool g_programRegistered = (RegisterResourceModule(GetModuleHandleW(nullptr)), true);

} // namespace

void RegisterResourceModule(HMODULE module)
{
    std::lock_guard<CRecursiveLock> guard(ResourceLock());
    auto& registered = Base().registered;
    CModulePtr existing;
    for (auto it = registered.begin(); it != registered.end(); ++it)
        if ((*it)->Module() == module) {
            existing = *it;
            registered.erase(it);
            break;
        }
    registered.push_back(existing ? existing : std::make_shared<const CResourceModule>(module, false));
}

void RegisterResourceModuleDescription(const CUnicodeString& folder, const CUnicodeString& prefix)
{
    std::lock_guard<CRecursiveLock> guard(ResourceLock());
    CDescription description;
    description.folder = folder;
    description.prefix = prefix;
    Base().descriptions.push_back(description);
}

namespace {

// The first module, in the order every look-up searches, for which `finds` holds: the
// language's resource DLLs from the last to the first, then the modules registered
// directly, the last registered first. Called under the resource lock.
template <class FFinds>
const CResourceModule* FirstModuleWhere(const CResourceBase& base, FFinds&& finds)
{
    const int language = t_threadLanguage >= 0 ? t_threadLanguage : base.currentLanguage;
    const auto found = base.collections.find(language);
    if (found != base.collections.end())
        for (auto it = found->second->rbegin(); it != found->second->rend(); ++it)
            if (finds(**it))
                return it->get();
    for (auto it = base.registered.rbegin(); it != base.registered.rend(); ++it)
        if (finds(**it))
            return it->get();
    return nullptr;
}

} // namespace

bool LookupMessageText(const WChar* name, CUnicodeString& text)
{
    // The text is built under the lock; showing it happens after the lock is released.
    std::lock_guard<CRecursiveLock> guard(ResourceLock());
    return FirstModuleWhere(Base(), [&](const CResourceModule& module) { return module.LoadText(name, text); }) !=
           nullptr;
}

HMODULE FindResourceModule(const wchar_t* type, const wchar_t* name)
{
    std::lock_guard<CRecursiveLock> guard(ResourceLock());
    const CResourceModule* holder = FirstModuleWhere(Base(), [type, name](const CResourceModule& module) {
        return FindResourceW(module.Module(), name, type) != nullptr;
    });
    if (holder != nullptr)
        return holder->Module();
    const HMODULE program = GetModuleHandleW(nullptr);
    return FindResourceW(program, name, type) != nullptr ? program : nullptr;
}

namespace {

// Without registered language names, the languages every description has are the ones offered.
void OfferCommonLanguages(CResourceBase& base)
{
    if (!base.languageNames.empty() || base.descriptions.empty())
        return;
    std::bitset<kLanguageCount> common;
    common.set();
    for (const CDescription& description : base.descriptions)
        common &= description.languages;
    for (int code = 0; code < kLanguageCount; ++code)
        if (common.test(static_cast<std::size_t>(code)))
            base.languageNames[code] = CUnicodeString();
}

int ChooseDefaultLanguage(const CResourceBase& base)
{
    std::vector<int> available;
    for (const auto& entry : base.languageNames)
        available.push_back(entry.first);
    CLanguageChoiceContext context;
    context.isInstalled = IsLanguageSupportedQuietly;
    context.systemPrimaryLanguage = static_cast<std::uint16_t>(GetSystemDefaultLangID() & 0x3FF);
    context.ansiCodePage = GetACP();
    return ChooseLanguage(available, context);
}

// One line per description that lacks a language another description has.
CUnicodeString MissingModulesReport(const CResourceBase& base)
{
    std::bitset<kLanguageCount> any;
    for (const CDescription& description : base.descriptions)
        any |= description.languages;
    CUnicodeString report;
    for (const CDescription& description : base.descriptions) {
        const std::bitset<kLanguageCount> missing = any & ~description.languages;
        if (missing.none())
            continue;
        CUnicodeString codes;
        for (int code = 0; code < kLanguageCount; ++code)
            if (missing.test(static_cast<std::size_t>(code)))
                codes += (codes.IsEmpty() ? CUnicodeString() : CUnicodeString(u", ")) + CUnicodeString::FromInt(code);
        report += FillPlaceholders(
                      CUnicodeString(u"For prefix '%0' resource modules for following languages: %1 are missing."),
                      description.prefix, codes) +
                  u"\n";
    }
    return report;
}

// Display names come from each language's own DLLs, loaded for this purpose only.
void LoadLanguageDisplayNames(CResourceBase& base)
{
    for (auto& entry : base.languageNames) {
        for (auto it = base.descriptions.rbegin(); it != base.descriptions.rend() && entry.second.IsEmpty(); ++it)
            if (CModulePtr module = LoadResourceDll(DllPath(*it, entry.first))) {
                CUnicodeString name;
                if (module->LoadText(CURRENT_LANGUAGE_NAME.Name(), name))
                    entry.second = name;
            }
    }
}

} // namespace

void InitializeResourceBase()
{
    CUnicodeString missingReport;
    {
        std::lock_guard<CRecursiveLock> guard(ResourceLock());
        CResourceBase& base = Base();
        TOBJ_ASSERT(!base.initialized, Places::kResourceBaseStartedTwice);
        for (CDescription& description : base.descriptions)
            if (!description.scanned)
                Scan(description);
        OfferCommonLanguages(base);
        base.defaultLanguage = ChooseDefaultLanguage(base);
        if (GetDebugFlags() & kCheckAllResourceModulesExistance)
            missingReport = MissingModulesReport(base);
        base.initialized = true;
    }
    // Shown outside the lock: the box runs a message loop.
    if (!missingReport.IsEmpty())
        ShowMessage(missingReport, kStopIconSystemModal);
    const int defaultLanguage = GetDefaultLanguage();
    if (defaultLanguage >= 0)
        SetInterfaceLanguage(defaultLanguage);
    std::lock_guard<CRecursiveLock> guard(ResourceLock());
    LoadLanguageDisplayNames(Base());
}

void DeinitializeResourceBase()
{
    std::lock_guard<CRecursiveLock> guard(ResourceLock());
    CResourceBase& base = Base();
    base.collections.clear();
    base.languageNames.clear();
    for (CDescription& description : base.descriptions)
        description.scanned = false, description.languages.reset();
    base.currentLanguage = -1;
    base.defaultLanguage = -1;
    base.initialized = false;
}

bool IsResourceBaseInitialized()
{
    std::lock_guard<CRecursiveLock> guard(ResourceLock());
    return Base().initialized;
}

std::vector<int> AvailableLanguages()
{
    std::lock_guard<CRecursiveLock> guard(ResourceLock());
    std::vector<int> codes;
    for (const auto& entry : Base().languageNames)
        codes.push_back(entry.first);
    return codes;
}

int GetDefaultLanguage()
{
    std::lock_guard<CRecursiveLock> guard(ResourceLock());
    return Base().defaultLanguage;
}

int GetInterfaceLanguage()
{
    std::lock_guard<CRecursiveLock> guard(ResourceLock());
    return Base().currentLanguage;
}

void SetInterfaceLanguage(int code)
{
    CRecursiveLock& lock = ResourceLock();
    const std::lock_guard<CRecursiveLock> guard(lock);
    CResourceBase& base = Base();
    TOBJ_ASSERT(base.initialized, Places::kLanguageBeforeStart);
    if (code != -1 && !IsLanguageSupportedQuietly(code)) {
        RunWithLockGivenBack(lock, [code] {
            ShowMessage(
                FillPlaceholders(
                    CUnicodeString(u"The selected interface language ( %0 ) is not supported on the operating system."),
                    CUnicodeString::FromInt(code)),
                0);
        });
        if (base.currentLanguage != -1)
            return;
        TOBJ_ASSERT(base.defaultLanguage != -1, Places::kNoDefaultLanguage);
        // The fallback is tried once: an unusable default leaves no language rather than
        // asking again and again.
        if (base.defaultLanguage == -1 || !IsLanguageSupportedQuietly(base.defaultLanguage))
            return;
        code = base.defaultLanguage;
    }
    if (code == base.currentLanguage)
        return;
    const int previous = base.currentLanguage;
    if (code != -1 && base.collections.find(code) == base.collections.end())
        base.collections[code] = LoadCollection(base, code);
    base.currentLanguage = code;
    if (previous != -1 && previous != code)
        base.collections.erase(previous);
}

void SetThreadLanguage(int code) { t_threadLanguage = code; }

void SetLanguageSupportForTesting(bool (*isSupported)(int code)) { g_supportForTesting = isSupported; }

std::vector<CUnicodeString> DefinedMessageNames()
{
    std::lock_guard<CRecursiveLock> guard(ResourceLock());
    std::set<CUnicodeString> names;
    for (const CModulePtr& module : Base().registered)
        for (const CUnicodeString& name : module->Names())
            names.insert(name);
    for (const auto& collection : Base().collections)
        for (const CModulePtr& module : *collection.second)
            for (const CUnicodeString& name : module->Names())
                names.insert(name);
    return std::vector<CUnicodeString>(names.begin(), names.end());
}

CUnicodeString GetLanguageDisplayName(int code)
{
    std::lock_guard<CRecursiveLock> guard(ResourceLock());
    const auto found = Base().languageNames.find(code);
    return found == Base().languageNames.end() ? CUnicodeString() : found->second;
}

} // namespace TObj
