#pragma once

#include <map>
#include <string>

#include "vantle/core/observer.h"
#include "vantle/core/singleton.h"
#include "vantle/core/value.h"

class TiXmlElement;

namespace core {

// The process's store of named values, with observers per key that are told after every write.
// Single-threaded; values and observer lists are never removed.
class Context : public Singleton<Context> {
public:
    // One binding to a key with a local copy of its value. Derived screen elements override OnUpdate()
    // and call UpdateFromContext() first when they need the new value.
    class Link : public Observer {
    public:
        Link();
        // Connects to the element's "value_key" attribute when it has one.
        explicit Link(TiXmlElement* element);
        explicit Link(const std::string& key);
        // Unsubscribes; a link outliving the store (process exit) leaves it gone.
        virtual ~Link();
        Link(const Link&) = delete;
        Link& operator=(const Link&) = delete;

        // Moves the binding to the key; observers already on it are notified once with its value unchanged.
        void Connect(const std::string& key);
        Value GetValue() const { return _value; }
        // Stores locally and, when connected, writes to the store, which notifies this link too.
        void SetValue(const Value& value);
        void UpdateFromContext();
        void OnUpdate() override;

        bool IsConnected() const { return _connected; }
        const std::string& GetKey() const { return _key; }

    private:
        bool _connected = false;
        std::string _key;
        Value _value;
    };

    // UNSET for a key never set; never creates the key.
    Value Get(const std::string& key) const;
    // Stores a copy and notifies the key's observers, also when the value is unchanged.
    void Set(const std::string& key, const Value& value);
    // Appends without checking for duplicates.
    void Subscribe(const std::string& key, Observer* observer);
    // Removes the first entry equal to the observer; nothing when it is not there.
    void Unsubscribe(const std::string& key, Observer* observer);

private:
    friend class Singleton<Context>;
    Context() = default;
    ~Context() = default;

    std::map<std::string, Value> _values;
    // Map nodes never move, so a list stays valid while observers subscribe to other keys.
    std::map<std::string, Observable> _observers;
};

}  // namespace core
