// The framework's collection templates: CArray, CList, CMap, and the typed pointer wrappers
// CTypedPtrArray and CTypedPtrList over CPtrArray and CPtrList/CObList.
#pragma once

#include "afx.h"

#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// Element helpers that the templates call; specialise them for a type that needs its own.
template <class TYPE> inline void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    // Plain values as their bytes, which is what the platform writes for them.
    if (ar.IsStoring()) {
        ar.Write(pElements, (UINT)(nCount * sizeof(TYPE)));
    } else if (ar.Read(pElements, (UINT)(nCount * sizeof(TYPE))) != (UINT)(nCount * sizeof(TYPE))) {
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
}

template <> inline void AFXAPI SerializeElements<CString>(CArchive& ar, CString* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

template <class ARG_KEY> inline UINT AFXAPI HashKey(ARG_KEY key)
{
    return (UINT)(((DWORD_PTR)key) >> 4);
}

template <> inline UINT AFXAPI HashKey<LPCSTR>(LPCSTR key)
{
    UINT nHash = 0;
    while (*key)
        nHash = (nHash << 5) + nHash + (BYTE)*key++;
    return nHash;
}

template <> inline UINT AFXAPI HashKey<const CString&>(const CString& key)
{
    return HashKey<LPCSTR>(key);
}

// Counts read from a stream are not trusted to size anything: elements are read in batches of
// this many, so a damaged count runs into the end of the data instead of a huge allocation.
const INT_PTR kSerializeBatch = 4096;

/////////////////////////////////////////////////////////////////////////////

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject {
public:
    CArray() = default;

    INT_PTR GetSize() const { return (INT_PTR)m_data.size(); }
    INT_PTR GetCount() const { return (INT_PTR)m_data.size(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    // nGrowBy is accepted for compatibility; growth is geometric.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        (void)nGrowBy;
        m_data.resize(nNewSize > 0 ? (size_t)nNewSize : 0);
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[nIndex]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_data[nIndex]; }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            return;
        if (nIndex >= GetSize()) {
            TYPE copy(newElement); // the argument may be an element of this array
            SetSize(nIndex + 1);
            m_data[nIndex] = std::move(copy);
        } else {
            m_data[nIndex] = newElement;
        }
    }
    INT_PTR Add(ARG_TYPE newElement)
    {
        m_data.push_back(TYPE(newElement));
        return GetSize() - 1;
    }
    INT_PTR Append(const CArray& src)
    {
        INT_PTR old = GetSize();
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        return old;
    }
    void Copy(const CArray& src)
    {
        if (this != &src)
            m_data = src.m_data;
    }

    const TYPE& operator[](INT_PTR nIndex) const { return m_data[nIndex]; }
    TYPE& operator[](INT_PTR nIndex) { return m_data[nIndex]; }

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0)
            return;
        TYPE copy(newElement);
        if (nIndex >= GetSize())
            SetSize(nIndex);
        m_data.insert(m_data.begin() + nIndex, (size_t)nCount, copy);
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0 || nIndex >= GetSize())
            return;
        if (nCount > GetSize() - nIndex)
            nCount = GetSize() - nIndex;
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (nStartIndex < 0 || pNewArray == nullptr || pNewArray->IsEmpty())
            return;
        std::vector<TYPE> copy(pNewArray->m_data);
        if (nStartIndex >= GetSize())
            SetSize(nStartIndex);
        m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(GetSize());
            SerializeElements<TYPE>(ar, GetData(), GetSize());
            return;
        }
        DWORD_PTR nCount = ar.ReadCount();
        RemoveAll();
        while (nCount > 0) {
            INT_PTR batch = nCount < (DWORD_PTR)kSerializeBatch ? (INT_PTR)nCount : kSerializeBatch;
            INT_PTR at = GetSize();
            SetSize(at + batch);
            SerializeElements<TYPE>(ar, GetData() + at, batch);
            nCount -= batch;
        }
    }

private:
    std::vector<TYPE> m_data;
};

/////////////////////////////////////////////////////////////////////////////

template <class TYPE, class ARG_TYPE = const TYPE&> class CList : public CObject {
protected:
    struct CNode : __POSITION {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
        explicit CNode(ARG_TYPE value) : pNext(nullptr), pPrev(nullptr), data(value) {}
    };

public:
    // Nodes are allocated nBlockSize at a time, as on the platform, which saves an allocation per
    // element; the blocks go back to the heap when the list becomes empty.
    explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return m_pNodeHead->data; }
    const TYPE& GetHead() const { return m_pNodeHead->data; }
    TYPE& GetTail() { return m_pNodeTail->data; }
    const TYPE& GetTail() const { return m_pNodeTail->data; }

    TYPE RemoveHead()
    {
        CNode* node = m_pNodeHead;
        TYPE value = node->data;
        Unlink(node);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* node = m_pNodeTail;
        TYPE value = node->data;
        Unlink(node);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(GetHeadPosition(), newElement); }
    POSITION AddTail(ARG_TYPE newElement)
    {
        CNode* node = NewNode(newElement);
        node->pPrev = m_pNodeTail;
        if (m_pNodeTail)
            m_pNodeTail->pNext = node;
        else
            m_pNodeHead = node;
        m_pNodeTail = node;
        return node;
    }
    void AddHead(CList* pNewList)
    {
        for (POSITION pos = pNewList->GetTailPosition(); pos;)
            AddHead(pNewList->GetPrev(pos));
    }
    void AddTail(CList* pNewList)
    {
        for (POSITION pos = pNewList->GetHeadPosition(); pos;)
            AddTail(pNewList->GetNext(pos));
    }

    void RemoveAll()
    {
        for (CNode* node = m_pNodeHead; node; node = node->pNext)
            node->~CNode();
        while (m_pBlocks != nullptr) {
            void* next = *static_cast<void**>(m_pBlocks);
            ::operator delete(m_pBlocks);
            m_pBlocks = next;
        }
        m_pNodeHead = m_pNodeTail = m_pNodeFree = nullptr;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return m_pNodeHead; }
    POSITION GetTailPosition() const { return m_pNodeTail; }
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* node = static_cast<CNode*>(rPosition);
        rPosition = node->pNext;
        return node->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* node = static_cast<CNode*>(rPosition);
        rPosition = node->pNext;
        return node->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* node = static_cast<CNode*>(rPosition);
        rPosition = node->pPrev;
        return node->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* node = static_cast<CNode*>(rPosition);
        rPosition = node->pPrev;
        return node->data;
    }
    TYPE& GetAt(POSITION position) { return static_cast<CNode*>(position)->data; }
    const TYPE& GetAt(POSITION position) const { return static_cast<CNode*>(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { static_cast<CNode*>(pos)->data = newElement; }
    void RemoveAt(POSITION position) { Unlink(static_cast<CNode*>(position)); }

    // A null position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        CNode* before = static_cast<CNode*>(position);
        if (before == nullptr)
            before = m_pNodeHead;
        if (before == nullptr)
            return AddTail(newElement);
        CNode* node = NewNode(newElement);
        node->pNext = before;
        node->pPrev = before->pPrev;
        if (before->pPrev)
            before->pPrev->pNext = node;
        else
            m_pNodeHead = node;
        before->pPrev = node;
        return node;
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        CNode* after = static_cast<CNode*>(position);
        if (after == nullptr || after == m_pNodeTail)
            return AddTail(newElement);
        CNode* node = NewNode(newElement);
        node->pPrev = after;
        node->pNext = after->pNext;
        after->pNext->pPrev = node;
        after->pNext = node;
        return node;
    }

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        CNode* node = startAfter ? static_cast<CNode*>(startAfter)->pNext : m_pNodeHead;
        for (; node; node = node->pNext) {
            if (CompareElements<TYPE, typename std::remove_reference<ARG_TYPE>::type>(&node->data, &searchValue))
                return node;
        }
        return nullptr;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        CNode* node = m_pNodeHead;
        while (nIndex-- > 0)
            node = node->pNext;
        return node;
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(m_nCount);
            for (CNode* node = m_pNodeHead; node; node = node->pNext)
                SerializeElements<TYPE>(ar, &node->data, 1);
            return;
        }
        for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; --nCount) {
            TYPE value = TYPE();
            SerializeElements<TYPE>(ar, &value, 1);
            AddTail(value);
        }
    }

protected:
    CNode* NewNode(ARG_TYPE value)
    {
        if (m_pNodeFree == nullptr) {
            // A block: a link to the previous block, then m_nBlockSize node slots.
            const size_t header = (sizeof(void*) + alignof(CNode) - 1) / alignof(CNode) * alignof(CNode);
            BYTE* block = static_cast<BYTE*>(::operator new(header + sizeof(CNode) * (size_t)m_nBlockSize));
            *reinterpret_cast<void**>(block) = m_pBlocks;
            m_pBlocks = block;
            CNode* slots = reinterpret_cast<CNode*>(block + header);
            for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
                slots[i].pNext = m_pNodeFree;
                m_pNodeFree = &slots[i];
            }
        }
        CNode* slot = m_pNodeFree;
        CNode* nextFree = slot->pNext;
        CNode* node = new (slot) CNode(value); // may throw: the slot stays free
        m_pNodeFree = nextFree;
        ++m_nCount;
        return node;
    }

    void Unlink(CNode* node)
    {
        if (node->pPrev)
            node->pPrev->pNext = node->pNext;
        else
            m_pNodeHead = node->pNext;
        if (node->pNext)
            node->pNext->pPrev = node->pPrev;
        else
            m_pNodeTail = node->pPrev;
        node->~CNode();
        node->pNext = m_pNodeFree;
        m_pNodeFree = node;
        if (--m_nCount == 0)
            RemoveAll();
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    CNode* m_pNodeFree = nullptr;
    void* m_pBlocks = nullptr;
    INT_PTR m_nBlockSize;
};

/////////////////////////////////////////////////////////////////////////////

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject {
protected:
    struct CAssoc : __POSITION {
        CAssoc(UINT hash, ARG_KEY k) : pNext(nullptr), nHashValue(hash), key(k), value() {}
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        UINT nHash;
        CAssoc* assoc = GetAssocAt(key, nHash);
        if (assoc == nullptr)
            return FALSE;
        rValue = assoc->value;
        return TRUE;
    }
    VALUE& operator[](ARG_KEY key)
    {
        UINT nHash;
        CAssoc* assoc = GetAssocAt(key, nHash);
        if (assoc != nullptr)
            return assoc->value;
        if (m_pHashTable == nullptr)
            InitHashTable(m_nHashTableSize);
        assoc = new CAssoc(nHash, key);
        assoc->pNext = m_pHashTable[nHash % m_nHashTableSize];
        m_pHashTable[nHash % m_nHashTableSize] = assoc;
        ++m_nCount;
        return assoc->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_pHashTable == nullptr)
            return FALSE;
        UINT nHash = HashKey<ARG_KEY>(key);
        const KEY probe(key);
        CAssoc** link = &m_pHashTable[nHash % m_nHashTableSize];
        for (CAssoc* assoc = *link; assoc; link = &assoc->pNext, assoc = assoc->pNext) {
            if (assoc->nHashValue == nHash && CompareElements<KEY, KEY>(&assoc->key, &probe)) {
                *link = assoc->pNext;
                delete assoc;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        if (m_pHashTable != nullptr) {
            for (UINT i = 0; i < m_nHashTableSize; ++i) {
                for (CAssoc* assoc = m_pHashTable[i]; assoc;) {
                    CAssoc* next = assoc->pNext;
                    delete assoc;
                    assoc = next;
                }
            }
            delete[] m_pHashTable;
            m_pHashTable = nullptr;
        }
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        CAssoc* assoc = static_cast<CAssoc*>(rNextPosition);
        if (rNextPosition == BEFORE_START_POSITION)
            assoc = FirstInBucket(0);
        rKey = assoc->key;
        rValue = assoc->value;
        rNextPosition = assoc->pNext ? assoc->pNext : FirstInBucket(assoc->nHashValue % m_nHashTableSize + 1);
    }

    // Only before the first element is added; a prime near the expected count works best.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        RemoveAll();
        m_nHashTableSize = hashSize > 0 ? hashSize : 17;
        if (bAllocNow) {
            m_pHashTable = new CAssoc*[m_nHashTableSize];
            for (UINT i = 0; i < m_nHashTableSize; ++i)
                m_pHashTable[i] = nullptr;
        }
    }

protected:
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const
    {
        nHash = HashKey<ARG_KEY>(key);
        if (m_pHashTable == nullptr)
            return nullptr;
        const KEY probe(key);
        for (CAssoc* assoc = m_pHashTable[nHash % m_nHashTableSize]; assoc; assoc = assoc->pNext) {
            if (assoc->nHashValue == nHash && CompareElements<KEY, KEY>(&assoc->key, &probe))
                return assoc;
        }
        return nullptr;
    }
    CAssoc* FirstInBucket(UINT bucket) const
    {
        for (; m_pHashTable && bucket < m_nHashTableSize; ++bucket) {
            if (m_pHashTable[bucket])
                return m_pHashTable[bucket];
        }
        return nullptr;
    }

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
};

/////////////////////////////////////////////////////////////////////////////
// Typed pointer collections: BASE_CLASS is CPtrArray, or CPtrList/CObList. Over CObList they
// load only elements of TYPE's class (or null).

class CObList;

template <class BASE_CLASS, class TYPE> class CTypedPtrArray : public BASE_CLASS {
public:
    TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return (TYPE&)BASE_CLASS::ElementAt(nIndex); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
    TYPE operator[](INT_PTR nIndex) const { return (TYPE)BASE_CLASS::operator[](nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return (TYPE&)BASE_CLASS::operator[](nIndex); }
};

template <class BASE_CLASS, class TYPE> class CTypedPtrList : public BASE_CLASS {
public:
    TYPE& GetHead() { return (TYPE&)BASE_CLASS::GetHead(); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return (TYPE&)BASE_CLASS::GetTail(); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    TYPE& GetNext(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetNext(rPosition); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetPrev(rPosition); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return (TYPE&)BASE_CLASS::GetAt(position); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }

    void Serialize(CArchive& ar) override
    {
        if constexpr (std::is_base_of<CObList, BASE_CLASS>::value)
            BASE_CLASS::SerializeOfClass(ar, std::remove_pointer<TYPE>::type::GetThisClass());
        else
            BASE_CLASS::Serialize(ar);
    }
};

// The ready-made collections, which the typed wrappers build on.
#include "afxcoll.h"
