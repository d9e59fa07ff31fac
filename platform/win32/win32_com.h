#pragma once
// Holds one COM interface and releases it with its holder.

#include <utility>

namespace tavlo {

template <typename T>
class Com {
public:
    Com() = default;
    ~Com() { reset(); }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    Com& operator=(Com&& other) noexcept
    {
        std::swap(p_, other.p_);
        return *this;
    }

    T* operator->() const { return p_; }
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T** put()
    {
        reset();
        return &p_;
    }
    void reset()
    {
        if (p_ != nullptr)
            p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

} // namespace tavlo
