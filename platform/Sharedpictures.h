#pragma once
// The pictures living now, one per key, for the backends' icons: share() hands out the living
// picture of a key, or makes it; the last holder letting go deletes the picture and forgets its
// key, so a picture lives exactly as long as something shows it. One thread only.

#include <cstddef>
#include <map>
#include <memory>

namespace platform {

template <class Key, class Picture> class SharedPictures {
public:
    // The living picture of `key`, else the one `make()` gives (a std::unique_ptr<Picture>, null
    // when there is none to make, which is handed out as null and not kept).
    template <class Make> std::shared_ptr<Picture> share(const Key& key, Make&& make) {
        const auto living = living_.find(key);
        if (living != living_.end()) return living->second.lock();
        std::unique_ptr<Picture> made = make();
        if (!made) return nullptr;
        // The key goes before the picture: a picture's own end may let go of others.
        std::shared_ptr<Picture> shared(made.release(), [this, key](Picture* picture) {
            living_.erase(key);
            delete picture;
        });
        living_.emplace(key, shared);
        return shared;
    }

    std::size_t living() const { return living_.size(); }

private:
    std::map<Key, std::weak_ptr<Picture>> living_;
};

} // namespace platform
