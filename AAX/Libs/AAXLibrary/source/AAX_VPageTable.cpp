#include "AAX_VPageTable.h"
#include "AAX_Errors.h"
#include "AAX_HostObjects.h"
#include "AAX_UIDs.h"

AAX_VPageTable::AAX_VPageTable (IACFUnknown* pUnknown)
{
    mIACFPageTable.Reset (static_cast<AAX_IACFPageTable*> (AAX_QueryHostInterface (pUnknown, IID_IAAXPageTableV1)));
    mIACFPageTableV2.Reset (static_cast<AAX_IACFPageTable_V2*> (AAX_QueryHostInterface (pUnknown, IID_IAAXPageTableV2)));
}

AAX_VPageTable::~AAX_VPageTable()
{
    mIACFPageTableV2.Reset();
    mIACFPageTable.Reset();
}

#define AAX_FORWARD(member, call) \
    return member ? member->call : AAX_ERROR_UNIMPLEMENTED

AAX_Result AAX_VPageTable::Clear()
{
    AAX_FORWARD (mIACFPageTable, Clear());
}
AAX_Result AAX_VPageTable::Empty (AAX_CBoolean* outEmpty) const { AAX_FORWARD (mIACFPageTable, Empty (outEmpty)); }
AAX_Result AAX_VPageTable::GetNumPages (int32_t* outNumPages) const { AAX_FORWARD (mIACFPageTable, GetNumPages (outNumPages)); }
AAX_Result AAX_VPageTable::InsertPage (int32_t inPage) { AAX_FORWARD (mIACFPageTable, InsertPage (inPage)); }
AAX_Result AAX_VPageTable::RemovePage (int32_t inPage) { AAX_FORWARD (mIACFPageTable, RemovePage (inPage)); }

AAX_Result AAX_VPageTable::GetNumMappedParameterIDs (int32_t inPage, int32_t* outNumParameterIDs) const
{
    AAX_FORWARD (mIACFPageTable, GetNumMappedParameterIDs (inPage, outNumParameterIDs));
}

AAX_Result AAX_VPageTable::ClearMappedParameter (int32_t inPage, int32_t inIndex)
{
    AAX_FORWARD (mIACFPageTable, ClearMappedParameter (inPage, inIndex));
}

AAX_Result AAX_VPageTable::GetMappedParameterID (int32_t inPage, int32_t inIndex, AAX_IString* outParameterID) const
{
    AAX_FORWARD (mIACFPageTable, GetMappedParameterID (inPage, inIndex, outParameterID));
}

AAX_Result AAX_VPageTable::MapParameterID (AAX_CParamID inParameterID, int32_t inPage, int32_t inIndex)
{
    AAX_FORWARD (mIACFPageTable, MapParameterID (inParameterID, inPage, inIndex));
}

AAX_Result AAX_VPageTable::GetNumParametersWithNameVariations (int32_t* outNumParameters) const
{
    AAX_FORWARD (mIACFPageTableV2, GetNumParametersWithNameVariations (outNumParameters));
}

AAX_Result AAX_VPageTable::GetNameVariationParameterIDAtIndex (int32_t inIndex, AAX_IString* outParameterID) const
{
    AAX_FORWARD (mIACFPageTableV2, GetNameVariationParameterIDAtIndex (inIndex, outParameterID));
}

AAX_Result AAX_VPageTable::GetNumNameVariationsForParameter (AAX_CParamID inParameterID, int32_t* outNumVariations) const
{
    AAX_FORWARD (mIACFPageTableV2, GetNumNameVariationsForParameter (inParameterID, outNumVariations));
}

AAX_Result AAX_VPageTable::GetParameterNameVariationAtIndex (AAX_CParamID inParameterID, int32_t inIndex, AAX_IString* outName, int32_t* outLength) const
{
    AAX_FORWARD (mIACFPageTableV2, GetParameterNameVariationAtIndex (inParameterID, inIndex, outName, outLength));
}

AAX_Result AAX_VPageTable::GetParameterNameVariationOfLength (AAX_CParamID inParameterID, int32_t inLength, AAX_IString* outName) const
{
    AAX_FORWARD (mIACFPageTableV2, GetParameterNameVariationOfLength (inParameterID, inLength, outName));
}

AAX_Result AAX_VPageTable::ClearParameterNameVariations()
{
    AAX_FORWARD (mIACFPageTableV2, ClearParameterNameVariations());
}

AAX_Result AAX_VPageTable::ClearNameVariationsForParameter (AAX_CParamID inParameterID)
{
    AAX_FORWARD (mIACFPageTableV2, ClearNameVariationsForParameter (inParameterID));
}

AAX_Result AAX_VPageTable::SetParameterNameVariation (AAX_CParamID inParameterID, const char* inName, int32_t inLength)
{
    AAX_FORWARD (mIACFPageTableV2, SetParameterNameVariation (inParameterID, inName, inLength));
}

#undef AAX_FORWARD
