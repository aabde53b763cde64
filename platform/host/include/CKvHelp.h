// CKvHelp: the host's help viewer. This host ships no help pages: showing a topic only records
// it, so that callers can see which topic was asked for.
#ifndef KV_CKV_HELP_H
#define KV_CKV_HELP_H

class CKvHelp
{
public:
    // Topic 0 means "no topic" and is ignored.
    static void showTopic(int topicId);
    // The topic shown last, 0 before any.
    static int lastTopic();
};

#endif  // KV_CKV_HELP_H
