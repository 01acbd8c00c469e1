#include "highlight/component.h"

#include <algorithm>

namespace marlinet::highlight {

namespace {
void Unlink(std::vector<TComponent*>& list, TComponent* AComponent) noexcept {
    list.erase(std::remove(list.begin(), list.end(), AComponent), list.end());
}
} // namespace

TComponent::TComponent(TComponent* AOwner) : owner_(AOwner) {
    if (owner_ != nullptr) {
        owner_->components_.push_back(this);
        owner_->Notification(this, TOperation::opInsert);
    }
}

TComponent::~TComponent() {
    Destroying();
}

TComponent* TComponent::Components(int Index) const noexcept {
    if (Index < 0 || Index >= ComponentCount()) return nullptr;
    return components_[static_cast<std::size_t>(Index)];
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent == this) return;
    if (std::find(free_notifies_.begin(), free_notifies_.end(), AComponent) != free_notifies_.end())
        return;
    free_notifies_.push_back(AComponent);
    AComponent->free_notifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (AComponent == nullptr) return;
    Unlink(free_notifies_, AComponent);
    Unlink(AComponent->free_notifies_, this);
}

void TComponent::Loaded() {
    state_ &= static_cast<TComponentState>(~csLoading);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::Destroying() {
    if ((state_ & csDestroying) != 0) return;
    state_ |= csDestroying;
    // The lists are taken first: a partner that reacts by calling back
    // (RemoveFreeNotification, unhooking a listener) finds nothing to undo.
    std::vector<TComponent*> partners = std::move(free_notifies_);
    free_notifies_.clear();
    for (TComponent* partner : partners) {
        Unlink(partner->free_notifies_, this);
        partner->Notification(this, TOperation::opRemove);
    }
    if (owner_ != nullptr) {
        TComponent* owner = owner_;
        owner_ = nullptr;
        Unlink(owner->components_, this);
        owner->Notification(this, TOperation::opRemove);
    }
    for (TComponent* owned : components_)
        owned->owner_ = nullptr;
    components_.clear();
}

} // namespace marlinet::highlight
