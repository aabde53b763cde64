// A list of reactors that are not owned, notified in the order they were added. A notification
// works on a snapshot of the list but skips every reactor removed meanwhile, so a reactor that
// removes itself (or another) during a notification is not called afterwards, and one added
// during it first hears the next notification.
#ifndef KV_ED_REACTOR_LIST_H
#define KV_ED_REACTOR_LIST_H

#include <algorithm>
#include <vector>

namespace kved {

template <class Reactor>
class ReactorList
{
public:
    void add(Reactor* pReactor)
    {
        if (pReactor && !contains(pReactor)) {
            m_reactors.push_back(pReactor);
        }
    }
    void remove(Reactor* pReactor)
    {
        m_reactors.erase(std::remove(m_reactors.begin(), m_reactors.end(), pReactor),
                         m_reactors.end());
    }
    bool contains(const Reactor* pReactor) const
    {
        return std::find(m_reactors.begin(), m_reactors.end(), pReactor) != m_reactors.end();
    }
    template <class Notify>
    void fire(Notify&& notify) const
    {
        const std::vector<Reactor*> snapshot = m_reactors;
        for (Reactor* pReactor : snapshot) {
            if (contains(pReactor)) {
                notify(pReactor);
            }
        }
    }

private:
    std::vector<Reactor*> m_reactors;
};

}  // namespace kved

#endif  // KV_ED_REACTOR_LIST_H
