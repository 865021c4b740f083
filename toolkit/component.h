#pragma once
// Components: ownership, names, state and destruction notices. An owner destroys what it owns; a
// component that is destroyed tells its owner and every component linked to it by FreeNotification.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TClassInfo;

class TObject {
public:
    virtual ~TObject() = default;
};

class TComponent;

enum TOperation { opInsert, opRemove };

// Component state flags.
enum : unsigned { csLoading = 1, csDesigning = 2, csDestroying = 4 };

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Letters, digits and underscores, not starting with a digit: the names a stored layout can carry.
bool IsValidIdent(std::wstring_view Name);

// Anything with published properties: components and the nested objects they publish (fonts, styles).
class TPersistent : public TObject {
public:
    // The class's table of published properties (published.h); every class with a table overrides it.
    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassInfo() const;
    const std::wstring& ClassName() const;
};

class TComponent : public TPersistent {
public:
    // Joins AOwner's components; AOwner's Notification(opInsert) runs before the derived constructors do.
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    // Destroys the component while it is still whole, so that its own Notification still runs when the
    // components it owns go first: marks the subtree as destroying, tells the linked components, frees
    // the owned components newest first, tells the owner, then deletes it. Prefer it to a plain delete.
    void Free();

    TComponent* Owner() const { return FOwner; }
    const std::wstring& Name() const { return FName; }
    // Raises Exception for a name that is not an identifier or that another component of the same owner
    // already has (letters A to Z compared without regard to case). The empty name is always allowed.
    virtual void SetName(const std::wstring& Value);

    unsigned ComponentState() const { return FComponentState; }
    bool IsDesigning() const { return (FComponentState & csDesigning) != 0; }
    bool IsLoading() const { return (FComponentState & csLoading) != 0; }
    bool IsDestroying() const { return (FComponentState & csDestroying) != 0; }
    // Designing passes on to the owned components, as a form designer edits a whole form.
    void SetDesigning(bool Value);
    void SetLoading(bool Value) { SetFlag(csLoading, Value); }

    // A sub-component is stored with its owner, under the owner's property, never on its own.
    bool IsSubComponent() const { return FSubComponent; }
    void SetSubComponent(bool Value) { FSubComponent = Value; }

    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int Index) const { return FComponents[size_t(Index)]; }
    // The owned component with this name, letters A to Z compared without regard to case.
    TComponent* FindComponent(std::wstring_view AName) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);

    // Links this component and AComponent: each is told (Notification with opRemove) when the other is
    // destroyed, so neither keeps a dangling pointer to the other.
    void FreeNotification(TComponent* AComponent);
    // Undoes the link in both directions.
    void RemoveFreeNotification(TComponent* AComponent);

    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Called on every component of a stored layout after the whole layout has been read.
    virtual void Loaded();

    // Stored layouts nest a component's block inside its parent's block. Visual parents belong to the
    // windowing half, which overrides these: the reader calls SetParentComponent with the component of
    // the enclosing block before any property, and the writer nests each of the root's components in
    // the block of its GetParentComponent (in the root's own block when that is null).
    virtual void SetParentComponent(TComponent* Value);
    virtual TComponent* GetParentComponent() const;

protected:
    // Marks this component and everything it owns as destroying.
    void Destroying();
    void DestroyComponents();

private:
    void SetFlag(unsigned Flag, bool Value);
    void BeforeDestruction();
    void Unlink(TComponent* AComponent);
    void ClearFieldsReferring(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    std::wstring FName;
    unsigned FComponentState = 0;
    bool FSubComponent = false;
    bool FDestructionDone = false;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies; // both directions: who is told about whom
};
