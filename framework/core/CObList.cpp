#include "CObList.h"

#include "Exceptions.h"

#include <cstdlib>
#include <new>

CObList::CObList(int blockSize) : m_blockSize(blockSize > 0 ? blockSize : 10) {}

CObList::~CObList()
{
    RemoveAll();
}

CObList::Node* CObList::NewNode(Node* prev, Node* next, CObject* element)
{
    if (m_free == nullptr) {
        // Nodes come in blocks so that long lists do not allocate per element.
        void* memory =
            std::malloc(sizeof(Block) + sizeof(Node) * static_cast<std::size_t>(m_blockSize));
        if (memory == nullptr)
            throw CMemoryException();
        auto* block = static_cast<Block*>(memory);
        block->next = m_blocks;
        m_blocks = block;
        auto* nodes = reinterpret_cast<Node*>(block + 1);
        for (int i = m_blockSize - 1; i >= 0; --i) {
            nodes[i].next = m_free;
            m_free = &nodes[i];
        }
    }
    Node* node = m_free;
    m_free = m_free->next;
    node->prev = prev;
    node->next = next;
    node->data = element;
    ++m_count;
    return node;
}

void CObList::FreeNode(Node* node)
{
    node->next = m_free;
    m_free = node;
    --m_count;
    if (m_count == 0)
        RemoveAll();
}

CObject*& CObList::GetHead()
{
    return m_head->data;
}

POSITION CObList::AddHead(CObject* element)
{
    Node* node = NewNode(nullptr, m_head, element);
    if (m_head != nullptr)
        m_head->prev = node;
    else
        m_tail = node;
    m_head = node;
    return reinterpret_cast<POSITION>(node);
}

POSITION CObList::AddTail(CObject* element)
{
    Node* node = NewNode(m_tail, nullptr, element);
    if (m_tail != nullptr)
        m_tail->next = node;
    else
        m_head = node;
    m_tail = node;
    return reinterpret_cast<POSITION>(node);
}

void CObList::RemoveAll()
{
    while (m_blocks != nullptr) {
        Block* next = m_blocks->next;
        std::free(m_blocks);
        m_blocks = next;
    }
    m_head = m_tail = m_free = nullptr;
    m_count = 0;
}

CObject*& CObList::GetNext(POSITION& position)
{
    Node* node = NodeAt(position);
    position = reinterpret_cast<POSITION>(node->next);
    return node->data;
}

CObject*& CObList::GetAt(POSITION position)
{
    return NodeAt(position)->data;
}

void CObList::RemoveAt(POSITION position)
{
    Node* node = NodeAt(position);
    if (node->prev != nullptr)
        node->prev->next = node->next;
    else
        m_head = node->next;
    if (node->next != nullptr)
        node->next->prev = node->prev;
    else
        m_tail = node->prev;
    FreeNode(node);
}

POSITION CObList::Find(const CObject* element, POSITION start) const
{
    Node* node = start != nullptr ? NodeAt(start)->next : m_head;
    for (; node != nullptr; node = node->next) {
        if (node->data == element)
            return reinterpret_cast<POSITION>(node);
    }
    return nullptr;
}

POSITION CObList::FindIndex(int index) const
{
    if (index < 0 || index >= m_count)
        return nullptr;
    Node* node = m_head;
    while (index-- > 0)
        node = node->next;
    return reinterpret_cast<POSITION>(node);
}
