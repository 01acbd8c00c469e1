// Components: persistent objects with an owner, a loading state while their
// published values are read, and destruction notices for the components that
// keep a pointer to them (an editor bound to a highlighter).
//
// Ownership: the owner does not own its components in the C++ sense; each
// component is owned by whoever created it (normally a unique_ptr in the
// window). When an owner goes first, its components simply lose their owner.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "highlight/persistent.h"

namespace marlinet::highlight {

using TComponentState = std::uint8_t;
// Published values are being read; notifications wait for Loaded.
inline constexpr TComponentState csLoading = 1;
// The component is in its teardown.
inline constexpr TComponentState csDestroying = 2;

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const noexcept { return owner_; }
    const std::string& Name() const noexcept { return name_; }
    void SetName(std::string AName) { name_ = std::move(AName); }
    TComponentState ComponentState() const noexcept { return state_; }

    int ComponentCount() const noexcept { return static_cast<int>(components_.size()); }
    // Null for an index outside 0..ComponentCount()-1.
    TComponent* Components(int Index) const noexcept;

    // From now on `AComponent` hears (Notification, opRemove) when this
    // component is destroyed, and this one when `AComponent` is. Registering
    // twice has no further effect.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Marks the component as loading before its published values are set;
    // Loaded ends the loading state.
    void BeginLoading() noexcept { state_ |= csLoading; }
    virtual void Loaded();

    std::string_view ClassName() const override { return "TComponent"; }

protected:
    // Told when an owned component or a free-notification partner is
    // inserted or removed. The base does nothing.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // The first step of the teardown: marks the component as destroying and
    // tells the owner and every free-notification partner, which may still
    // call into it. A subclass whose partners must see its members intact
    // runs this first in its own destructor; it runs at most once.
    void Destroying();

private:
    TComponent* owner_ = nullptr;
    std::string name_;
    TComponentState state_ = 0;
    std::vector<TComponent*> components_;    // owned, in order of creation
    std::vector<TComponent*> free_notifies_; // partners, each at most once
};

} // namespace marlinet::highlight
