#include "FindingList.h"

#include "CatchFailure.h"
#include "Exception.h"

#include <memory>
#include <utility>

void CFindingList::Note(CPageFinding finding) { m_findings.push_back(std::move(finding)); }

void CFindingList::Stop(CPageFinding finding, const CRaiseCall& raise)
{
    finding.weight = EFindingWeight::Stops;
    finding.stopMessage = TObj::FailureText(raise);
    m_findings.push_back(std::move(finding));
}
