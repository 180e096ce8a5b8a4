{ The framework runtime's asset unit, reduced to what a generated Assets.Consts uses. }
unit ORVO.Assets;

interface

type
  TqoAssetName = string;

  TqoAsset = class
  public const
    ThemeSeparator = '\';
  end;

implementation

end.
