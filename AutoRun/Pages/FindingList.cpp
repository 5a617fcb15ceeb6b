#include "FindingList.h"

#include "Exception.h"

#include <memory>
#include <utility>

void CFindingList::Note(CPageFinding finding) { m_findings.push_back(std::move(finding)); }

void CFindingList::Stop(CPageFinding finding, const CRaiseCall& raise)
{
    finding.weight = EFindingWeight::Stops;
    try {
        raise();
    } catch (TObj::CException* failure) {
        const std::unique_ptr<TObj::CException> owned(failure);
        finding.stopMessage = failure->GetMessageText();
    }
    m_findings.push_back(std::move(finding));
}
